// The application's own viewer of the manual and the license, for a desktop
// where no program opens them.
#ifndef TESSALY_HELP_WINDOW_H
#define TESSALY_HELP_WINDOW_H

#include <QDialog>

class QTextBrowser;

class THelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows the file (HTML when its name says so, else plain text) and brings
  // the window up.
  void ShowFile(const QString& path);
  QTextBrowser* Browser() const { return FBrowser; }

 private:
  QTextBrowser* FBrowser;
};

#endif
