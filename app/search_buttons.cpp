// The two buttons that open the file-search dialog: single selection for the
// source box, multiple selection for the batch list. The dialog is created once
// with the window and keeps its results between two showings.
#include <QLineEdit>

#include "drag_edit.h"
#include "main_form.h"
#include "search/search_form.h"

void TMainForm::CreateSearchForm() {
  if (SearchForm != nullptr) return;
  SearchForm = new TSearchForm(this);
  SearchForm->setObjectName(QStringLiteral("SearchForm"));
  connect(SearchForm, &TSearchForm::SourceFileChosen, this, [this](const QString& path) {
    // Choosing the path already in the box changes no text, yet it should
    // act as typed: the output name is derived when its box is empty.
    if (txtSrcFile->text() == path)
      txtSrcFileChange();
    else
      txtSrcFile->setText(path);
  });
  connect(SearchForm, &TSearchForm::BatchFilesChosen, this, [this](const QStringList& paths) {
    for (const QString& path : paths) AddBatchFile(path);
  });
}

// A command-line repair runs before the window has created the dialog; a
// click during it creates the dialog then.
void TMainForm::btnSrcSearchClick() {
  CreateSearchForm();
  SearchForm->ChooseSourceFile();
}

void TMainForm::btnSearchFilesClick() {
  CreateSearchForm();
  SearchForm->ChooseBatchFiles();
}
