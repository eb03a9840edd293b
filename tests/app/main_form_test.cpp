#include "main_form.h"
#include "search/search_form.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTextBrowser>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "animation_view.h"
#include "app_test_support.h"
#include "drag_edit.h"
#include "help_window.h"
#include "hyperlink_label.h"
#include "shipped_files.h"

namespace {

// A widget the user works with, not a part of another control (the edit box
// of a spin box, the list of a drop-down list, the scroll buttons of the tabs,
// the header of a list).
bool IsControl(const QWidget* widget) {
  for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget())
    if (qobject_cast<const QAbstractSpinBox*>(up) || qobject_cast<const QComboBox*>(up) ||
        qobject_cast<const QTabBar*>(up) || qobject_cast<const QAbstractItemView*>(up))
      return false;
  return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QAbstractItemView*>(widget) ||
         qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QProgressBar*>(widget) ||
         qobject_cast<const THyperlinkLabel*>(widget);
}

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

  // F1, the Help button and the About page's links open the manual and the
  // license that ship beside the program (the build puts them there).
  void OpensTheManualAndTheLicenseThroughTheDesktop() {
    ScopedConfigHome home;
    const QString manual = QCoreApplication::applicationDirPath() + QStringLiteral("/tessaly.html");
    const QString license = QCoreApplication::applicationDirPath() + QStringLiteral("/COPYING");
    QVERIFY(QFileInfo::exists(manual) && QFileInfo::exists(license));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    const auto unsetHandler =
        qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); });
    TMainForm form;
    QCOMPARE(form.labManual->text(), manual);
    QCOMPARE(form.labLicense->text(), license);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    form.btnHelp->click();
    QTest::mouseClick(form.labManual, Qt::LeftButton);
    QTest::mouseClick(form.labLicense, Qt::LeftButton);
    const QUrl manualUrl = QUrl::fromLocalFile(manual);
    QCOMPARE(catcher.opened,
             QList<QUrl>({manualUrl, manualUrl, manualUrl, QUrl::fromLocalFile(license)}));
  }

  // Where no program opens them (the offscreen desktop has none), they open
  // in the window's own help window.
  void WithoutABrowserTheManualOpensInTheHelpWindow() {
    if (QGuiApplication::platformName() != u"offscreen") QSKIP("needs a desktop without a browser");
    ScopedConfigHome home;
    TMainForm form;
    MessageBoxAnswerer boxes;
    form.btnHelp->click();
    QVERIFY(boxes.seen.isEmpty());
    QVERIFY(form.HelpWindow != nullptr && form.HelpWindow->isVisible());
    QVERIFY(form.HelpWindow->Browser()->documentTitle().startsWith(QStringLiteral("Tessaly")));
    QVERIFY(form.HelpWindow->Browser()->toPlainText().contains(QStringLiteral("Command line")));
    form.labLicenseClick();
    QVERIFY(form.HelpWindow->Browser()->toPlainText().contains(QStringLiteral("AS IS")));
  }

  void FindsShippedFilesBesideTheExecutableThenInShare() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(prefix.filePath(QStringLiteral("share/tessaly"))));
    const QString installed = prefix.filePath(QStringLiteral("share/tessaly/COPYING"));
    QCOMPARE(FindShippedFile(QStringLiteral("COPYING"), bin), QString());
    WriteBytes(installed, "license");
    QCOMPARE(FindShippedFile(QStringLiteral("COPYING"), bin), installed);
    WriteBytes(bin + QStringLiteral("/COPYING"), "license");
    QCOMPARE(FindShippedFile(QStringLiteral("COPYING"), bin), bin + QStringLiteral("/COPYING"));
  }

  // The source box takes the keyboard at start. A mnemonic reaches one
  // control: no two controls shown at the same time (page tabs included)
  // share one, and V on the Repair page is "View".
  void TheSourceBoxHasTheFocusAndEveryMnemonicReachesOneControl() {
    ScopedConfigHome home;
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.txtSrcFile);
    QStringList clashes;
    for (int page = 0; page < form.pcMain->count(); ++page) {
      form.pcMain->setCurrentIndex(page);
      QHash<QString, QString> owners;  // mnemonic key -> caption
      const auto take = [&](const QString& caption) {
        const QString key = QKeySequence::mnemonic(caption).toString();
        if (key.isEmpty()) return;
        if (owners.contains(key)) clashes << owners[key] + u'/' + caption;
        owners.insert(key, caption);
      };
      for (int tab = 0; tab < form.pcMain->count(); ++tab) take(form.pcMain->tabText(tab));
      for (QWidget* widget : form.pcMain->widget(page)->findChildren<QWidget*>()) {
        if (!widget->isVisible()) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) take(button->text());
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
          take(label->text());
      }
      if (page == 0)
        QCOMPARE(owners.value(QKeySequence(Qt::ALT | Qt::Key_V).toString()), form.btnView->text());
    }
    QCOMPARE(clashes, QStringList());
  }

  void EveryControlHasAnAccessibleNameAndATooltip() {
    ScopedConfigHome home;
    TMainForm form;
    QStringList lacking;
    for (QWidget* widget : form.centralWidget()->findChildren<QWidget*>()) {
      if (!IsControl(widget)) continue;
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
      const QString name = accessible ? accessible->text(QAccessible::Name) : QString();
      if (name.isEmpty() || name == u"...")
        lacking << widget->objectName() + QStringLiteral(" name");
      if (widget->toolTip().isEmpty()) lacking << widget->objectName() + QStringLiteral(" tooltip");
    }
    QVERIFY2(lacking.isEmpty(), qPrintable(lacking.join(u',')));
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
