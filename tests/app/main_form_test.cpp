#include "main_form.h"
#include "search/search_form.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "animation_view.h"
#include "app_test_support.h"
#include "drag_edit.h"
#include "hyperlink_label.h"

namespace {

void DropUrls(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  // Typed, searched or browsed, the source renames the output for as long as
  // the output holds the name derived from it.
  void TheOutputNameFollowsTheSourceUntilTheUserGivesOne() {
    ScopedConfigHome home;
    TMainForm form;
    QVERIFY(!form.btnRepair->isEnabled());
    QTest::keyClicks(form.txtSrcFile, QStringLiteral("/d/a.dbf"));
    QCOMPARE(form.txtDstFile->text(), QStringLiteral("/d/a_fixed.dbf"));
    QVERIFY(form.btnRepair->isEnabled());
    emit form.SearchForm->SourceFileChosen(QStringLiteral("/e/dbase_30.dbf"));
    QCOMPARE(form.txtDstFile->text(), QStringLiteral("/e/dbase_30_fixed.dbf"));

    form.txtDstFile->selectAll();
    QTest::keyClicks(form.txtDstFile, QStringLiteral("/out/mine.dbf"));
    QTest::keyClick(form.txtSrcFile, Qt::Key_Backspace);
    QCOMPARE(form.txtDstFile->text(), QStringLiteral("/out/mine.dbf"));

    // Emptied, the box is the window's again.
    form.txtDstFile->clear();
    QVERIFY(!form.btnRepair->isEnabled());
    QTest::keyClicks(form.txtSrcFile, QStringLiteral("x"));
    QCOMPARE(form.txtDstFile->text(), QStringLiteral("/e/dbase_30_fixed.dbx"));
    form.txtSrcFile->clear();
    QCOMPARE(form.txtDstFile->text(), QString());
  }

  void BlankPathsKeepTheStartButtonDisabled() {
    ScopedConfigHome home;
    TMainForm form;
    form.txtSrcFile->setText(QStringLiteral("  \t "));
    QVERIFY(!form.btnRepair->isEnabled());
    form.txtDstFile->setText(QStringLiteral("/d/out.dbf"));
    QVERIFY(!form.btnRepair->isEnabled());
    form.txtSrcFile->setText(QStringLiteral(" s "));
    QVERIFY(form.btnRepair->isEnabled());
    form.txtDstFile->setText(QStringLiteral(" "));
    QVERIFY(!form.btnRepair->isEnabled());
    form.txtDstFile->clear();
    form.txtSrcFile->clear();  // an empty source names no output
    QCOMPARE(form.txtDstFile->text(), QString());
  }

  void DroppingFilesTakesTheFirstLocalOne() {
    ScopedConfigHome home;
    TMainForm form;
    DropUrls(form.txtSrcFile, {QUrl(QStringLiteral("https://example.org/x.dbf")),
                               QUrl::fromLocalFile(QStringLiteral("/d/one.dbf")),
                               QUrl::fromLocalFile(QStringLiteral("/d/two.dbf")),
                               QUrl::fromLocalFile(QStringLiteral("/d/three.dbf"))});
    QCOMPARE(form.txtSrcFile->text(), QStringLiteral("/d/one.dbf"));
    QCOMPARE(form.txtDstFile->text(), QStringLiteral("/d/one_fixed.dbf"));
    QVERIFY(form.btnRepair->isEnabled());

    form.txtSrcFile->AcceptFiles(false);
    DropUrls(form.txtSrcFile, {QUrl::fromLocalFile(QStringLiteral("/d/other.dbf"))});
    QCOMPARE(form.txtSrcFile->text(), QStringLiteral("/d/one.dbf"));
  }

  void BrowsingForTheSourceRemembersTheFilter() {
    ScopedConfigHome home;
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("plain"));
    WriteBytes(table, "x");
    TMainForm form;
    QString firstFilter;
    FileDialogAnswerer answer([&](QFileDialog* dialog) {
      firstFilter = dialog->selectedNameFilter();
      dialog->selectNameFilter(QStringLiteral("All files (*)"));
      dialog->setDirectory(dir.path());
      dialog->selectFile(table);
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnSrcMoreClick();
    QVERIFY(answer.Answered());
    QCOMPARE(firstFilter, QStringLiteral("DBF files (*.dbf)"));
    QCOMPARE(form.txtSrcFile->text(), table);
    QCOMPARE(form.txtDstFile->text(), table + QStringLiteral("_fixed"));
    QCOMPARE(form.FSetting.OpenFilterIndex, 2);
    QVERIFY(form.btnRepair->isEnabled());
  }

  void BrowsingForTheOutputSetsItsExtensionByFilter() {
    ScopedConfigHome home;
    QTemporaryDir dir;
    TMainForm form;
    form.FSetting.SaveFilterIndex = 7;  // out of range: the first filter
    QStringList suffixes;
    auto chooseFilter = [&](QFileDialog* dialog, const QString& filter) {
      dialog->selectNameFilter(filter);
      emit dialog->filterSelected(filter);
      suffixes << dialog->defaultSuffix();
    };
    FileDialogAnswerer answer([&](QFileDialog* dialog) {
      suffixes << dialog->defaultSuffix();
      chooseFilter(dialog, QStringLiteral("All files (*)"));
      chooseFilter(dialog, QStringLiteral("DBF files (*.dbf)"));
      dialog->setDirectory(dir.path());
      dialog->selectFile(dir.filePath(QStringLiteral("out.dbf")));
      static_cast<QDialog*>(dialog)->accept();
    });
    form.btnDstMoreClick();
    QVERIFY(answer.Answered());
    QCOMPARE(suffixes, QStringList({QStringLiteral("dbf"), QString(), QStringLiteral("dbf")}));
    QCOMPARE(form.txtDstFile->text(), dir.filePath(QStringLiteral("out.dbf")));
    QCOMPARE(form.FSetting.SaveFilterIndex, 1);
  }

  void TakesFilesChosenInTheSearchDialog() {
    ScopedConfigHome home;
    TMainForm form;
    emit form.SearchForm->SourceFileChosen(QStringLiteral("/d/found.dbf"));
    QCOMPARE(form.txtSrcFile->text(), QStringLiteral("/d/found.dbf"));
    QCOMPARE(form.txtDstFile->text(), QStringLiteral("/d/found_fixed.dbf"));
    emit form.SearchForm->BatchFilesChosen({QStringLiteral("/D/A.DBF"), QStringLiteral("/d/b.dbf")});
    emit form.SearchForm->BatchFilesChosen({QStringLiteral("/d/a.dbf"), QStringLiteral("/d/c.dbf")});
    QCOMPARE(form.FileList->topLevelItemCount(), 3);
    QCOMPARE(form.FileList->topLevelItem(0)->text(0), QStringLiteral("/D/A.DBF"));
    QCOMPARE(form.FileList->topLevelItem(2)->text(0), QStringLiteral("/d/c.dbf"));
    QCOMPARE(form.FileList->topLevelItem(2)->text(1), QString());
    QCOMPARE(form.FileList->topLevelItem(2)->text(2), QStringLiteral("Not Repaired"));
  }

  void ShowsGaugeAndAnimationOnTheRepairPagesOnly() {
    ScopedConfigHome home;
    TMainForm form;
    form.show();
    QVERIFY(form.Panel2->isVisible() && form.Animate->isVisible());
    for (int page : {2, 3, 4}) {
      form.pcMain->setCurrentIndex(page);
      QVERIFY(!form.Panel2->isVisible() && !form.Animate->isVisible());
    }
    form.pcMain->setCurrentIndex(1);
    QVERIFY(form.Panel2->isVisible() && form.Animate->isVisible());
    QVERIFY(form.tsBatch->isAncestorOf(form.Animate));
    form.pcMain->setCurrentIndex(0);
    QVERIFY(form.tsRepair->isAncestorOf(form.Animate));
  }

  void ShowsTitleAndVersion() {
    ScopedConfigHome home;
    TMainForm form;
    QCOMPARE(
        form.windowTitle(),
        QStringLiteral("Tessaly v%1.%2").arg(TESSALY_VERSION_MAJOR).arg(TESSALY_VERSION_MINOR));
    QCOMPARE(form.labTitle->text(), QStringLiteral("Tessaly"));
    QCOMPARE(form.labVersion->text(), QStringLiteral("%1.%2.%3.0")
                                          .arg(TESSALY_VERSION_MAJOR)
                                          .arg(TESSALY_VERSION_MINOR)
                                          .arg(TESSALY_VERSION_PATCH));
    // The banner is decoded, not just present: its left edge is the light end of
    // its teal gradient.
    const QImage banner = form.Image1->pixmap().toImage();
    QCOMPARE(banner.size(), QSize(1200, 60));
    const QColor left = banner.pixelColor(2, 30);
    QVERIFY2(left.blue() > left.red() && left.green() > left.red(), qPrintable(left.name()));
    QCOMPARE(form.minimumSize(), form.maximumSize());
  }

  void OpensHelpAndLinksThroughTheDesktop() {
    ScopedConfigHome home;
    UrlCatcher catcher;
    for (const char* scheme : {"file", "https", "mailto"})
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "Open");
    TMainForm form;
    QCOMPARE(form.HelpFile(), QCoreApplication::applicationFilePath() + QStringLiteral(".html"));
    {
      MessageBoxAnswerer boxes;
      form.btnHelp->click();
      QCOMPARE(boxes.seen.size(), 1);
      QCOMPARE(boxes.seen[0].text, QStringLiteral("Cannot open file ") + form.HelpFile());
    }
    WriteBytes(form.HelpFile(), "<html></html>");
    form.btnHelp->click();
    QFile::remove(form.HelpFile());
    QTest::mouseClick(form.labHomepage, Qt::LeftButton);
    QTest::mouseClick(form.labEmail, Qt::LeftButton);
    for (const char* scheme : {"file", "https", "mailto"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    QCOMPARE(catcher.opened,
             QList<QUrl>({QUrl::fromLocalFile(form.HelpFile()), QUrl(form.labHomepage->text()),
                          QUrl(QStringLiteral("mailto:") + form.labEmail->text())}));
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
