#pragma once

#include <QFileDialog>

#include <optional>

#include "logdlg/save_repair_log.h"

class QCheckBox;
class QWidget;

// The save dialog of the repair log: the platform-independent file dialog with one added
// check box, "Include S&ystem Information", ticked at first. The object lives as long as
// its owner, so the last choice holds for the next save of the same run.
class TSaveLogDialog : public QFileDialog {
  Q_OBJECT
  Q_PROPERTY(bool IncludeSysInfo READ IncludeSysInfo WRITE SetIncludeSysInfo)

 public:
  explicit TSaveLogDialog(QWidget* parent = nullptr);

  // Shows the dialog modally; true when the user confirmed a file name.
  bool Execute();
  QString FileName() const;

  bool IncludeSysInfo() const;
  void SetIncludeSysInfo(bool include);

  // Execute, and what it chose; nothing when the user cancelled.
  std::optional<SaveLogTarget> Ask();

  QWidget* const InfoPanel;
  QCheckBox* const SystemInfoCheckBox;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void PlaceInfoPanel();
};
