// The application's modal message boxes, with their fixed captions and icons.
#ifndef TESSALY_MESSAGE_BOX_H
#define TESSALY_MESSAGE_BOX_H

#include <QString>

class QWidget;

// Caption "Information", information icon.
void ShowInformation(QWidget* parent, const QString& text);
// The result of a repair: caption "Information", the information icon for a
// success and a warning icon for a failure or a stop.
void ShowResult(QWidget* parent, const QString& text, bool succeeded);
// The result of a repair that wrote a table, offering the viewer beside OK;
// true when the user chose to view the table.
bool ShowResultOfferingView(QWidget* parent, const QString& text, bool succeeded);
// Caption "Error", error icon.
void ShowError(QWidget* parent, const QString& text);
// Caption "Confirm", buttons Yes and No, exclamation icon; true for Yes.
bool ConfirmYesNo(QWidget* parent, const QString& text);

#endif
