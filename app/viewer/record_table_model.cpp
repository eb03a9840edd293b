#include "viewer/record_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <climits>
#include <cstring>

#include "app_strings.h"
#include "cell_text.h"
#include "code_page.h"
#include "engine_table.h"
#include "viewer/record_area.h"
#include "viewer/source_bytes_text.h"
#include "viewer/source_records.h"

using tessaly_common::CellText;
using tessaly_common::EngineTable;

namespace {

// Rows kept: several screens of a tall window.
constexpr int kCachedRows = 1024;
// Room for a memo's first line in a cell; a longer memo shows the engine's truncation mark.
constexpr uint32_t kMemoCellTextSize = 1024;
constexpr char kDeletedFlag = '*';
constexpr char kNumericTypes[] = "NFIYB";
const QColor kMendedBackground(255, 214, 153);
const QColor kMendedForeground(Qt::black);

std::string_view UpToNul(const std::string& text) {
  return std::string_view(text.data(), strnlen(text.data(), text.size()));
}

// The first line of a memo that holds more than blanks.
std::string_view FirstFilledLine(std::string_view text) {
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(" \t") != std::string_view::npos || end == std::string_view::npos)
      return line;
    text.remove_prefix(end + 1);
  }
  return text;
}

}  // namespace

TRecordTableModel::TRecordTableModel(const QString& path, const std::optional<RepairReport>& repair,
                                     QObject* parent)
    : QAbstractTableModel(parent),
      FPath(path),
      FTable(std::make_unique<EngineTable>(QFile::encodeName(path).toStdString())),
      FCache(kCachedRows) {
  FCodePage = tessaly_common::TableCodePage(FTable->Info().languageDriver, kDefaultCodePage);
  FConverter = std::make_unique<tessaly_common::CodePageConverter>(FCodePage);
  FRows = int(std::min<quint64>(FTable->Info().readableRecords, INT_MAX));
  if (!repair || repair->lines.isEmpty()) return;
  const std::optional<RecordArea> area = ParseRecordArea(repair->lines.first());
  // A report of another table (or of another run of this one) would mark the wrong bytes.
  if (!area || area->stride == 0 || area->written != FTable->Info().announcedRecords) return;
  auto source = std::make_unique<TSourceRecords>(repair->sourcePath, *area);
  if (!source->IsReadable()) return;
  FSource = std::move(source);
  FSourceOffset = area->offset;
}

TRecordTableModel::~TRecordTableModel() = default;

int TRecordTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FRows;
}

int TRecordTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(FTable->Fields().size());
}

QVariant TRecordTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= FRows || index.column() >= columnCount()) return {};
  const int column = index.column();
  switch (role) {
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter |
                                 (IsNumeric(column) ? Qt::AlignRight : Qt::AlignLeft));
    case WholeTextRole:
      if (IsMemo(column)) return WholeMemoText(index.row(), column);
      break;
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case MendedRole:
    case SourceBytesRole:
      break;
    default:
      return {};
  }
  const Row* row = CachedRow(index.row());
  if (row == nullptr) return {};
  const bool mended = row->mended.testBit(column);
  switch (role) {
    case Qt::DisplayRole:
    case WholeTextRole:
      return row->cells[column];
    case MendedRole:
      return mended;
    case Qt::ToolTipRole:
    case SourceBytesRole:
      return mended ? QVariant(SourceBytesTip(*row, column)) : QVariant();
    case Qt::BackgroundRole:
      return mended ? QVariant(QBrush(kMendedBackground)) : QVariant();
    case Qt::ForegroundRole:
      if (mended) return QBrush(kMendedForeground);
      if (row->deleted) return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
      return {};
  }
  return {};
}

QVariant TRecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return FieldName(section);
    if (role == Qt::ToolTipRole) {
      const MendrelField& field = FTable->Fields()[section];
      return AppString(StrId::ViewerFieldTip)
          .arg(FieldName(section), QString(QChar::fromLatin1(field.type)),
               QString::number(field.length), QString::number(field.decimals));
    }
    return {};
  }
  if (section < 0 || section >= FRows) return {};
  const QString number = QString::number(qint64(section) + 1);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::BackgroundRole) return {};
  const Row* row = CachedRow(section);
  if (row == nullptr) return role == Qt::DisplayRole ? QVariant(number) : QVariant();
  switch (role) {
    case Qt::DisplayRole:
      return row->deleted ? AppString(StrId::ViewerDeletedRecordHeader).arg(number) : number;
    case Qt::ToolTipRole: {
      QStringList tip;
      if (row->deleted) tip << AppString(StrId::ViewerDeletedRecordTip).arg(number);
      if (row->sourceFlag) tip << DeletionFlagTip(*row->sourceFlag, *FConverter);
      return tip.isEmpty() ? QVariant() : QVariant(tip.join(u'\n'));
    }
    case Qt::BackgroundRole:
      return row->sourceFlag ? QVariant(QBrush(kMendedBackground)) : QVariant();
  }
  return {};
}

bool TRecordTableModel::IsDeleted(int row) const {
  const Row* loaded = CachedRow(row);
  return loaded != nullptr && loaded->deleted;
}

QStringList TRecordTableModel::SearchTexts(int row) const {
  if (row < 0 || row >= FRows) return {};
  QStringList texts;
  for (int column = 0; column < columnCount(); ++column)
    texts << (IsMemo(column) ? WholeMemoText(row, column) : ValueText(row, column));
  return texts;
}

QString TRecordTableModel::FieldName(int column) const {
  const MendrelField& field = FTable->Fields()[column];
  return ToText(CellText(field.name, strnlen(field.name, sizeof field.name)));
}

const TRecordTableModel::Row* TRecordTableModel::CachedRow(int row) const {
  if (const Row* cached = FCache.object(row)) return cached;
  auto* loaded = new Row(LoadRow(row));
  FCache.insert(row, loaded);  // the cache owns it from here
  return FCache.object(row);
}

TRecordTableModel::Row TRecordTableModel::LoadRow(int row) const {
  const auto& fields = FTable->Fields();
  Row loaded;
  loaded.mended.resize(int(fields.size()));
  loaded.sourceBytes.resize(qsizetype(fields.size()));
  std::vector<char> bytes;
  if (!FTable->ReadRecord(quint64(row), bytes)) {
    for (size_t i = 0; i < fields.size(); ++i) loaded.cells << QString();
    return loaded;
  }
  loaded.deleted = bytes[0] == kDeletedFlag;
  for (int column = 0; column < int(fields.size()); ++column)
    loaded.cells << (IsMemo(column) ? MemoCellText(row, column) : ValueText(row, column));
  if (FSource) CompareWithSource(row, QByteArray(bytes.data(), qsizetype(bytes.size())), loaded);
  return loaded;
}

void TRecordTableModel::CompareWithSource(int row, const QByteArray& output, Row& loaded) const {
  const QByteArray source = FSource->Record(quint64(row));
  if (source.left(1) != output.left(1)) loaded.sourceFlag = source.left(1);
  const auto& fields = FTable->Fields();
  for (int column = 0; column < int(fields.size()); ++column) {
    const MendrelField& field = fields[column];
    const QByteArray written = output.mid(field.offset, field.length);
    // Output fields are consecutive source fields, from the table's first field on.
    const QByteArray before = source.mid(qsizetype(field.offset - 1 + FSourceOffset), field.length);
    if (written == before) continue;
    loaded.mended.setBit(column);
    loaded.sourceBytes[column] = before.isNull() ? QByteArray("") : before;
  }
}

QString TRecordTableModel::ValueText(int row, int column) const {
  return ToText(
      tessaly_common::FieldCellText(*FTable, quint64(row), uint32_t(column), kDisplayOptionWord));
}

QString TRecordTableModel::MemoCellText(int row, int column) const {
  const std::string text =
      FTable->Render(quint64(row), uint32_t(column), kDisplayOptionWord, kMemoCellTextSize);
  const std::string_view line = FirstFilledLine(UpToNul(text));
  return ToText(CellText(line.data(), line.size()));
}

QString TRecordTableModel::WholeMemoText(int row, int column) const {
  const std::string text = FTable->RenderWhole(quint64(row), uint32_t(column), kDisplayOptionWord);
  QString whole = ToText(std::string(UpToNul(text)));
  whole.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  whole.replace(u'\r', u'\n');
  return whole;
}

QString TRecordTableModel::SourceBytesTip(const Row& loaded, int column) const {
  return SourceBytesText(loaded.sourceBytes[column], int(FTable->Fields()[column].length),
                         *FConverter);
}

QString TRecordTableModel::ToText(const std::string& bytes) const {
  return QString::fromStdString(FConverter->ToUtf8(bytes));
}

bool TRecordTableModel::IsMemo(int column) const { return FTable->Fields()[column].isMemo != 0; }

bool TRecordTableModel::IsNumeric(int column) const {
  const char type = FTable->Fields()[column].type;
  return type != '\0' && std::strchr(kNumericTypes, type) != nullptr;
}
