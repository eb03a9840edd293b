// Asks where to write a table as CSV and, when the table names no code page,
// which code page its text was written in.
#ifndef TESSALY_CSV_EXPORT_DIALOG_H
#define TESSALY_CSV_EXPORT_DIALOG_H

#include <QDialog>
#include <cstdint>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TCsvExportDialog : public QDialog {
  Q_OBJECT

 public:
  // tableCodePage: the code page the table names, 0 when it names none.
  TCsvExportDialog(QWidget* parent, const QString& defaultPath, uint32_t tableCodePage);

  QString FilePath() const;
  // The code page chosen, or the one the table names.
  uint32_t CodePage() const;

  // The code page offered first for a table that names none, as tessaly-cli's.
  static constexpr uint32_t kDefaultCodePage = 437;

  QLabel* labCsvFile = nullptr;
  QLineEdit* txtCsvFile = nullptr;
  QPushButton* btnCsvFileMore = nullptr;
  QLabel* labCodePage = nullptr;
  QComboBox* cmbCodePage = nullptr;
  QLabel* labCodePageNote = nullptr;
  QDialogButtonBox* ButtonBox = nullptr;

 public slots:
  void accept() override;
  void btnCsvFileMoreClick();

 private:
  void FillCodePages(uint32_t tableCodePage);
};

#endif
