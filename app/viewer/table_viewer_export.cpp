// The viewer's CSV export: the table written by the same export as tessaly-cli
// show --csv, into a file that appears only once it is whole.
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>

#include "app_strings.h"
#include "code_page.h"
#include "csv_export.h"
#include "engine_table.h"
#include "message_box.h"
#include "path_functions.h"
#include "viewer/csv_export_dialog.h"
#include "viewer/record_table_model.h"
#include "viewer/table_viewer.h"

namespace {

constexpr int kLinesPerProgressStep = 256;
constexpr int kProgressDelayMs = 400;
constexpr char kCsvExtension[] = ".csv";

bool SameFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  const QFileInfo first(a);
  const QFileInfo second(b);
  if (first.exists() && second.exists())
    return first.canonicalFilePath() == second.canonicalFilePath();
  return first.absoluteFilePath() == second.absoluteFilePath();
}

}  // namespace

void TTableViewer::btnExportCsvClick() {
  const tessaly_common::EngineTable& table = FModel->Table();
  TCsvExportDialog dialog(this, StripExtension(FModel->TablePath()) + QLatin1String(kCsvExtension),
                          tessaly_common::CodePageOfLanguageDriver(table.Info().languageDriver));
  if (dialog.exec() != QDialog::Accepted) return;
  ExportCsv(dialog.FilePath(), dialog.CodePage());
}

bool TTableViewer::IsProtectedPath(const QString& path) const {
  const QString memo = QString::fromLocal8Bit(FModel->Table().Info().memoPath);
  return SameFile(path, FModel->TablePath()) || SameFile(path, memo) || SameFile(path, FSourcePath);
}

bool TTableViewer::ExportCsv(const QString& path, uint32_t codePage) {
  if (IsProtectedPath(path)) {
    ShowError(this, AppString(StrId::CsvWouldReplaceTable).arg(path));
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    ShowError(this, AppString(StrId::CsvCannotWrite).arg(path, file.errorString()));
    return false;
  }
  tessaly_common::EngineTable& table = FModel->Table();
  const qint64 records = qint64(qMin<quint64>(table.Info().readableRecords, INT_MAX));
  QProgressDialog progress(AppString(StrId::CsvExporting), AppString(StrId::ButtonCancel), 0,
                           int(records), this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(kProgressDelayMs);
  tessaly_common::CsvExportOptions options;
  options.userCodePage = codePage;
  options.optionWord = TRecordTableModel::kDisplayOptionWord;
  qint64 lines = 0;
  bool writeFailed = false;
  const bool whole = tessaly_common::ExportCsv(table, options, [&](std::string_view piece) {
    if (file.write(piece.data(), qint64(piece.size())) != qint64(piece.size())) {
      writeFailed = true;
      return false;
    }
    if (++lines % kLinesPerProgressStep == 0) progress.setValue(int(qMin(lines, records)));
    return !progress.wasCanceled();
  });
  progress.reset();
  if (!whole || !file.commit()) {
    const QString error = file.errorString();
    file.cancelWriting();
    if (!whole && !writeFailed) {
      ShowStatus(AppString(StrId::CsvCancelled));
    } else {
      ShowError(this, AppString(StrId::CsvCannotWrite).arg(path, error));
    }
    return false;
  }
  ShowStatus(AppString(StrId::CsvExported).arg(GroupedNumber(lines - 1), path));
  return true;
}
