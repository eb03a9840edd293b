// The records of a table for a view: read through the engine's read interface
// when a view asks for them, a few hundred rows kept at a time, so that a table
// of millions of records opens at once. After a repair each cell is compared
// with the source bytes it was made from.
#ifndef TESSALY_RECORD_TABLE_MODEL_H
#define TESSALY_RECORD_TABLE_MODEL_H

#include <QAbstractTableModel>
#include <QBitArray>
#include <QCache>
#include <QStringList>
#include <memory>
#include <optional>

#include "mendrel.h"
#include "viewer/repair_report.h"

namespace tessaly_common {
class CodePageConverter;
class EngineTable;
}  // namespace tessaly_common
class TSourceRecords;

class TRecordTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Role {
    WholeTextRole = Qt::UserRole + 1,  // a memo's whole text, any other value's cell text
    MendedRole,                        // true when the cell's bytes differ from the source's
    SourceBytesRole,                   // what the source held there, for people
  };
  // The code page of a table whose language-driver byte names none.
  static constexpr uint32_t kDefaultCodePage = 437;
  // Values are checked as the repair writes them with its default options.
  static constexpr uint32_t kDisplayOptionWord = MENDREL_OPT_REPAIR_DATE;

  // Opens the table; throws tessaly_common::TableOpenFailure. With a repair's
  // report whose record area fits the table, cells are compared with the source.
  explicit TRecordTableModel(const QString& path, const std::optional<RepairReport>& repair = {},
                             QObject* parent = nullptr);
  ~TRecordTableModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  tessaly_common::EngineTable& Table() const { return *FTable; }
  QString TablePath() const { return FPath; }
  // The code page the table's text is read in.
  uint32_t CodePage() const { return FCodePage; }
  bool ComparesWithSource() const { return FSource != nullptr; }
  bool IsDeleted(int row) const;
  // The texts a search looks through: each field's, memos whole. Read afresh,
  // so that a search over a large table leaves the rows on screen cached.
  QStringList SearchTexts(int row) const;
  // A field's name as the user reads it.
  QString FieldName(int column) const;

 private:
  struct Row {
    bool deleted = false;
    QStringList cells;
    QBitArray mended;
    QList<QByteArray> sourceBytes;         // per field, where mended
    std::optional<QByteArray> sourceFlag;  // the source's deletion flag, where it differs
  };

  const Row* CachedRow(int row) const;
  Row LoadRow(int row) const;
  void CompareWithSource(int row, const QByteArray& output, Row& loaded) const;
  QString ValueText(int row, int column) const;
  QString MemoCellText(int row, int column) const;
  QString WholeMemoText(int row, int column) const;
  QString SourceBytesTip(const Row& loaded, int column) const;
  QString ToText(const std::string& bytes) const;
  bool IsMemo(int column) const;
  bool IsNumeric(int column) const;

  QString FPath;
  std::unique_ptr<tessaly_common::EngineTable> FTable;
  std::unique_ptr<tessaly_common::CodePageConverter> FConverter;
  std::unique_ptr<TSourceRecords> FSource;
  quint64 FSourceOffset = 1;  // of the output's first field in a source record
  uint32_t FCodePage = kDefaultCodePage;
  int FRows = 0;
  mutable QCache<int, Row> FCache;
};

#endif
