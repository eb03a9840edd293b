// The two buttons that open the file-search dialog: single selection for the
// source box, multiple selection for the batch list. They are wired to the
// search dialog when it joins the window.
#include "main_form.h"

void TMainForm::btnSrcSearchClick() {}

void TMainForm::btnSearchFilesClick() {}
