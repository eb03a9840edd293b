// The two buttons that open the file-search dialog: single selection for the
// source box, multiple selection for the batch list.
#include "drag_edit.h"
#include "main_form.h"
#include "search/search_form.h"

void TMainForm::CreateSearchForm() {
  SearchForm = new TSearchForm(this);
  connect(SearchForm, &TSearchForm::SourceFileChosen, this,
          [this](const QString& path) { txtSrcFile->setText(path); });
  connect(SearchForm, &TSearchForm::BatchFilesChosen, this, [this](const QStringList& paths) {
    for (const QString& path : paths) AddBatchFile(path);
  });
}

void TMainForm::btnSrcSearchClick() { SearchForm->ChooseSourceFile(); }

void TMainForm::btnSearchFilesClick() { SearchForm->ChooseBatchFiles(); }
