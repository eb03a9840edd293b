#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "batch_test_support.h"
#include "drag_edit.h"
#include "main_form.h"
#include "search/search_form.h"

namespace {

// Answers the search dialog once it is shown: selects the given result rows
// (all when none are named) and accepts them, and notes the selection mode.
class SearchDialogAnswerer {
 public:
  explicit SearchDialogAnswerer(QList<int> rows = {}, bool accept = true)
      : FRows(std::move(rows)), FAccept(accept), FWatcher([this](QWidget* modal) { Answer(modal); }) {}

  QAbstractItemView::SelectionMode mode = QAbstractItemView::NoSelection;
  int shown = 0;

 private:
  void Answer(QWidget* modal) {
    auto* dialog = qobject_cast<TSearchForm*>(modal);
    if (dialog == nullptr) return;
    ++shown;
    mode = dialog->fl->selectionMode();
    dialog->fl->clearSelection();
    for (int row = 0; row < dialog->fl->topLevelItemCount(); ++row)
      if (FRows.isEmpty() || FRows.contains(row)) dialog->fl->topLevelItem(row)->setSelected(true);
    (FAccept ? dialog->btnOK : dialog->btnCancel)->click();
  }

  QList<int> FRows;
  bool FAccept;
  ModalWatcher FWatcher;
};

}  // namespace

class SearchWiringTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  std::unique_ptr<ScopedConfigHome> FHome;

  QString Path(const QString& name) const { return FDir.filePath(name); }

  // Runs a search over the test folder, so that the dialog holds its results
  // when the main window shows it.
  void SearchTestFolder(TSearchForm* search) {
    MessageBoxAnswerer boxes;
    search->cmbDirectory->setCurrentIndex(-1);
    search->cmbDirectory->setEditText(FDir.path());
    search->Button1->click();
    QCOMPARE(search->fl->topLevelItemCount(), 3);
  }

  QStringList ResultPaths(const TSearchForm* search) const {
    QStringList paths;
    for (int row = 0; row < search->fl->topLevelItemCount(); ++row)
      paths << search->RowPath(search->fl->topLevelItem(row));
    return paths;
  }

 private slots:
  void initTestCase() {
    for (const char* name : {"a.dbf", "b.dbf", "c.dbf"})
      WriteBytes(Path(QString::fromLatin1(name)), "x");
  }
  void init() { FHome = std::make_unique<ScopedConfigHome>(); }
  void cleanup() { FHome.reset(); }

  void SingleSelectionFillsTheSourceBoxAndDerivesTheOutput() {
    TMainForm form;
    SearchTestFolder(form.SearchForm);
    const QString chosen = ResultPaths(form.SearchForm)[1];
    SearchDialogAnswerer answer({1});
    form.btnSrcSearch->click();
    QCOMPARE(answer.shown, 1);
    QCOMPARE(answer.mode, QAbstractItemView::SingleSelection);
    QCOMPARE(form.txtSrcFile->text(), chosen);
    QCOMPARE(form.txtDstFile->text(), chosen.chopped(4) + QStringLiteral("_fixed.dbf"));
    QVERIFY(form.btnRepair->isEnabled());
    QCOMPARE(form.btnSrcSearch->toolTip(), QStringLiteral("Search the source file in the computer"));
  }

  void ChoosingThePathAlreadyInTheBoxStillDerivesTheOutput() {
    TMainForm form;
    SearchTestFolder(form.SearchForm);
    const QString chosen = ResultPaths(form.SearchForm)[0];
    form.txtSrcFile->setText(chosen);
    form.txtDstFile->clear();
    SearchDialogAnswerer answer({0});
    form.btnSrcSearch->click();
    QCOMPARE(form.txtDstFile->text(), chosen.chopped(4) + QStringLiteral("_fixed.dbf"));
    QVERIFY(form.btnRepair->isEnabled());
  }

  void CancellingTheSearchChangesNothing() {
    TMainForm form;
    SearchTestFolder(form.SearchForm);
    SearchDialogAnswerer answer({0}, false);
    form.btnSrcSearch->click();
    QCOMPARE(answer.shown, 1);
    QVERIFY(form.txtSrcFile->text().isEmpty());
    SearchDialogAnswerer batchAnswer({}, false);
    form.btnSearchFiles->click();
    QCOMPARE(form.FileList->topLevelItemCount(), 0);
  }

  void MultiSelectionAddsEveryChosenFileOnceInListOrder() {
    TMainForm form;
    SearchTestFolder(form.SearchForm);
    const QStringList found = ResultPaths(form.SearchForm);
    form.AddBatchFile(found[1].toUpper());
    SearchDialogAnswerer answer;
    form.btnSearchFiles->click();
    QCOMPARE(answer.mode, QAbstractItemView::ExtendedSelection);
    QCOMPARE(BatchColumn(form.FileList, 0), QStringList({found[1].toUpper(), found[0], found[2]}));
    QCOMPARE(BatchColumn(form.FileList, 2), QStringList(3, QStringLiteral("Not Repaired")));
  }
};

QTEST_MAIN(SearchWiringTest)
#include "search_wiring_test.moc"
