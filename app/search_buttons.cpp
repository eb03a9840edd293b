// The two buttons that open the file-search dialog: single selection for the
// source box, multiple selection for the batch list. The dialog is created once
// with the window and keeps its results between two showings.
#include <QLineEdit>

#include "drag_edit.h"
#include "main_form.h"
#include "search/search_form.h"

void TMainForm::CreateSearchForm() {
  FSearchForm = new TSearchForm(this);
  FSearchForm->setObjectName(QStringLiteral("SearchForm"));
  connect(FSearchForm, &TSearchForm::SourceFileChosen, this, [this](const QString& path) {
    // Choosing the path already in the box changes no text, yet it should
    // act as typed: the output name is derived when its box is empty.
    if (txtSrcFile->text() == path)
      txtSrcFileChange();
    else
      txtSrcFile->setText(path);
  });
  connect(FSearchForm, &TSearchForm::BatchFilesChosen, this, [this](const QStringList& paths) {
    for (const QString& path : paths) AddBatchFile(path);
  });
}

void TMainForm::btnSrcSearchClick() { FSearchForm->ChooseSourceFile(); }

void TMainForm::btnSearchFilesClick() { FSearchForm->ChooseBatchFiles(); }
