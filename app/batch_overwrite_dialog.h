// The question a batch run asks before it repairs into an existing file: five
// answers, two of which hold for the rest of the run.
#ifndef TESSALY_BATCH_OVERWRITE_DIALOG_H
#define TESSALY_BATCH_OVERWRITE_DIALOG_H

#include <QDialog>

class QPushButton;

// In the order the buttons stand.
enum class OverwriteAnswer { Yes, No, Cancel, NoToAll, YesToAll };

class TConfirmOverwriteDialog : public QDialog {
  Q_OBJECT

 public:
  // fileName: the existing file's name, shown without its folder.
  explicit TConfirmOverwriteDialog(const QString& fileName, QWidget* parent = nullptr);

  // Shows the dialog modally; Escape and closing the window answer Cancel.
  OverwriteAnswer Ask();
  QPushButton* Button(OverwriteAnswer answer) const;
  QString Text() const;

 public slots:
  void reject() override;

 private:
  QPushButton* FButtons[5] = {};
  QString FText;
};

#endif
