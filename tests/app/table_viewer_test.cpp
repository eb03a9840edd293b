// The viewer window: find, go to a record, copy, the current cell's pane, the
// CSV export against tessaly-cli show --csv, and what keyboard and assistive
// technology users get.
#include "viewer/table_viewer.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>
#include <memory>

#include "app_test_support.h"
#include "viewer/csv_export_dialog.h"
#include "viewer/record_table_model.h"

namespace {

constexpr int kProcessTimeoutMs = 60000;
constexpr int kLanguageDriverByte = 29;
constexpr char kRussianDos = 0x26;  // the language driver of code page 866

// NAME C10 (Latin-1 letters in code page 850: "Zoë" and "Jürgen"), CITY C8, a
// comma and a quote in a value for the CSV.
QByteArray PeopleTable() {
  return BuildTable({{"NAME", 'C', 10}, {"CITY", 'C', 8}},
                    {"Ada       London  ", "Grace     New York",
                     QByteArray("Zo\x89       Paris   "), QByteArray("J\x81rgen    Bonn,\"A\"")});
}

QByteArray RunCli(const QStringList& arguments) {
  QProcess cli;
  cli.start(QStringLiteral(TESSALY_CLI_PATH), arguments);
  if (!cli.waitForFinished(kProcessTimeoutMs)) cli.kill();
  return cli.readAllStandardOutput();
}

QByteArray ContentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using ViewerPointer = std::unique_ptr<TTableViewer>;

}  // namespace

class TableViewerTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  QString FTable;

  ViewerPointer OpenViewer() {
    ViewerPointer viewer(TTableViewer::Open(nullptr, FTable));
    if (viewer) viewer->setAttribute(Qt::WA_DeleteOnClose, false);
    return viewer;
  }

  QPoint Current(const TTableViewer& viewer) {
    const QModelIndex current = viewer.grdRecords->currentIndex();
    return {current.column(), current.row()};
  }

 private slots:
  void init() {
    FTable = FDir.filePath(QStringLiteral("people.dbf"));
    WriteBytes(FTable, PeopleTable());
  }

  void FindsTextBothWaysAroundTheTableAndGoesToARecord() {
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    QCOMPARE(Current(*viewer), QPoint(0, 0));
    QVERIFY(viewer->FindText(QStringLiteral("o"), true));  // "London", beside the current cell
    QCOMPARE(Current(*viewer), QPoint(1, 0));
    QVERIFY(viewer->FindText(QStringLiteral("O"), true));  // case does not matter: "New York"
    QCOMPARE(Current(*viewer), QPoint(1, 1));
    QVERIFY(viewer->FindText(QStringLiteral("ada"), true));  // around the end to the first record
    QCOMPARE(Current(*viewer), QPoint(0, 0));
    QVERIFY(viewer->FindText(QStringLiteral("bonn"), false));  // backwards around the start
    QCOMPARE(Current(*viewer), QPoint(1, 3));
    QVERIFY(!viewer->FindText(QStringLiteral("Lovelace"), true));
    QCOMPARE(Current(*viewer), QPoint(1, 3));
    QVERIFY(viewer->labStatus->text().contains(QStringLiteral("\"Lovelace\" was not found.")));

    // Ctrl+G, a number and Enter go to that record, in the current field.
    viewer->show();
    QVERIFY(QTest::qWaitForWindowActive(viewer.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(viewer->udGoToRecord->hasFocus());
    QTest::keyClicks(viewer->udGoToRecord, QStringLiteral("2"));
    QTest::keyClick(viewer->udGoToRecord, Qt::Key_Return);
    QCOMPARE(Current(*viewer), QPoint(1, 1));
    QVERIFY(viewer->grdRecords->hasFocus());
    // Ctrl+F takes the find box, Enter finds the next cell.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(viewer->txtFind->hasFocus());
    QTest::keyClicks(viewer->txtFind, QStringLiteral("paris"));
    QTest::keyClick(viewer->txtFind, Qt::Key_Return);
    QCOMPARE(Current(*viewer), QPoint(1, 2));
  }

  void CopiesTheSelectedCellsAsTabSeparatedText() {
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    viewer->show();
    QVERIFY(QTest::qWaitForWindowActive(viewer.get()));
    const QItemSelection block(viewer->Model()->index(0, 0), viewer->Model()->index(1, 1));
    viewer->grdRecords->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
    viewer->grdRecords->selectionModel()->select(viewer->Model()->index(3, 0),
                                                 QItemSelectionModel::Select);
    viewer->grdRecords->setFocus();
    QApplication::clipboard()->clear();
    QTest::keySequence(viewer->grdRecords, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Ada\tLondon\nGrace\tNew York\n\t\nJ\u00fcrgen\t"));
  }

  // The same bytes as tessaly-cli writes for the code page chosen in the dialog.
  void ExportsWhatTessalyCliShowCsvWrites() {
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    const QString csv = FDir.filePath(QStringLiteral("people.csv"));
    bool answered = false;
    ModalWatcher answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<TCsvExportDialog*>(modal);
      if (dialog == nullptr || answered) return;
      answered = true;
      QCOMPARE(dialog->txtCsvFile->text(), QDir::toNativeSeparators(csv));  // beside the table
      QCOMPARE(dialog->CodePage(), 437u);  // as tessaly-cli's default
      QVERIFY(dialog->cmbCodePage->isEnabled());
      dialog->cmbCodePage->setCurrentIndex(dialog->cmbCodePage->findData(850u));
      dialog->ButtonBox->button(QDialogButtonBox::Ok)->click();
      if (dialog->isVisible()) dialog->reject();  // never left waiting
    });
    viewer->btnExportCsv->click();
    QVERIFY(answered);
    const QByteArray expected =
        RunCli({QStringLiteral("show"), QStringLiteral("--csv"), QStringLiteral("--codepage"),
                QStringLiteral("850"), FTable});
    QVERIFY(expected.contains("Zo\xC3\xAB"));  // U+00EB: read in code page 850
    QCOMPARE(ContentOf(csv), expected);
    QVERIFY(viewer->labStatus->text().contains(QStringLiteral("Wrote 4 records")));
  }

  void ExportNeverReplacesTheTable() {
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    MessageBoxAnswerer boxes;
    QVERIFY(!viewer->ExportCsv(FTable, 437));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].caption, QStringLiteral("Error"));
    QCOMPARE(ContentOf(FTable), PeopleTable());
  }

  void ATableThatNamesItsCodePageIsExportedInIt() {
    TCsvExportDialog dialog(nullptr, FDir.filePath(QStringLiteral("x.csv")), 866);
    QVERIFY(!dialog.cmbCodePage->isEnabled());
    QCOMPARE(dialog.CodePage(), 866u);

    QByteArray table = PeopleTable();
    table[kLanguageDriverByte] = kRussianDos;
    WriteBytes(FTable, table);
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    const QString csv = FDir.filePath(QStringLiteral("russian.csv"));
    QVERIFY(viewer->ExportCsv(csv, 1252));  // the table's own code page wins
    QCOMPARE(ContentOf(csv), RunCli({QStringLiteral("show"), QStringLiteral("--csv"), FTable}));
    QVERIFY(ContentOf(csv).contains("Zo\xD0\x99"));  // U+0419: 0x89 in code page 866
  }

  void TheCurrentCellsWholeTextIsBesideTheGrid() {
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    viewer->grdRecords->setCurrentIndex(viewer->Model()->index(3, 1));
    QCOMPARE(viewer->txtCellText->toPlainText(), QStringLiteral("Bonn,\"A\""));
    QVERIFY(viewer->labSourceBytes->text().isEmpty());  // opened on its own: nothing compared
    QVERIFY(!viewer->txtReport->isVisible());
    QVERIFY(viewer->labStatus->text().contains(QStringLiteral("Record 4 of 4, field CITY")));
  }

  void EveryControlHasANameATipAndAMnemonicOfItsOwn() {
    ViewerPointer viewer = OpenViewer();
    QVERIFY(viewer);
    viewer->show();
    QStringList lacking;
    QHash<QString, QString> owners;
    for (QWidget* widget : viewer->findChildren<QWidget*>()) {
      if (!widget->isVisible()) continue;
      if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
        const QString key = QKeySequence::mnemonic(label->text()).toString();
        if (owners.contains(key)) lacking << owners[key] + u'/' + label->text();
        owners.insert(key, label->text());
      }
      if (auto* button = qobject_cast<QPushButton*>(widget)) {
        const QString key = QKeySequence::mnemonic(button->text()).toString();
        if (owners.contains(key)) lacking << owners[key] + u'/' + button->text();
        owners.insert(key, button->text());
      }
      // The viewer's own controls; the pieces Qt builds them of are described by them.
      const bool control = !widget->objectName().isEmpty() &&
                           !widget->objectName().startsWith(u"qt_") &&
                           (!qobject_cast<QLabel*>(widget) || widget == viewer->labSourceBytes);
      if (!control) continue;
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
      if (accessible == nullptr || accessible->text(QAccessible::Name).isEmpty())
        lacking << widget->objectName() + QStringLiteral(" name");
      if (widget->toolTip().isEmpty()) lacking << widget->objectName() + QStringLiteral(" tooltip");
    }
    QVERIFY2(lacking.isEmpty(), qPrintable(lacking.join(u',')));
  }
};

QTEST_MAIN(TableViewerTest)
#include "table_viewer_test.moc"
