// Helpers shared by the window tests: a private settings folder and an answerer
// for the modal boxes a test provokes.
#ifndef TESSALY_APP_TEST_SUPPORT_H
#define TESSALY_APP_TEST_SUPPORT_H

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <functional>

// Points the per-user configuration folder at a fresh temporary folder.
class ScopedConfigHome {
 public:
  ScopedConfigHome() { qputenv("XDG_CONFIG_HOME", FDir.path().toLocal8Bit()); }
  ~ScopedConfigHome() { qunsetenv("XDG_CONFIG_HOME"); }
  QString Path() const { return FDir.path(); }

 private:
  QTemporaryDir FDir;
};

// The settings file of this test program in a configuration folder.
inline QString SettingsFilePath(const ScopedConfigHome& home) {
  return home.Path() + u'/' + QCoreApplication::applicationName() +
         QStringLiteral("/settings.json");
}

// The values of key Software/<this program>/Misc as stored.
inline QJsonObject StoredSettings(const ScopedConfigHome& home) {
  QFile file(SettingsFilePath(home));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(file.readAll())
      .object()[QStringLiteral("Software")]
      .toObject()[QCoreApplication::applicationName()]
      .toObject()[QStringLiteral("Misc")]
      .toObject();
}

// Writes the settings file with these values, and any other keys of Software.
inline void StoreSettings(const ScopedConfigHome& home, const QJsonObject& misc,
                          QJsonObject software = {}) {
  software.insert(QCoreApplication::applicationName(), QJsonObject{{QStringLiteral("Misc"), misc}});
  QDir().mkpath(QFileInfo(SettingsFilePath(home)).absolutePath());
  QFile file(SettingsFilePath(home));
  if (file.open(QIODevice::WriteOnly))
    file.write(QJsonDocument(QJsonObject{{QStringLiteral("Software"), software}}).toJson());
}

struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
};

// Calls a handler for each modal widget that becomes active while it lives.
class ModalWatcher : public QObject {
 public:
  explicit ModalWatcher(std::function<void(QWidget*)> handle) : FHandle(std::move(handle)) {
    FTimer.setInterval(5);
    connect(&FTimer, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && modal->isVisible()) FHandle(modal);
    });
    FTimer.start();
  }

 private:
  std::function<void(QWidget*)> FHandle;
  QTimer FTimer;
};

// Records each modal message box and presses the next queued answer (or the
// box's default or escape button).
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(QList<QMessageBox::StandardButton> answers = {})
      : FAnswers(std::move(answers)), FWatcher([this](QWidget* modal) { Answer(modal); }) {}

  // Runs before the box is answered, e.g. to click a button of the window.
  std::function<void(const SeenBox&)> onBox;
  // A button of this caption, in any box that has one, is pressed first.
  QString pressCaption;
  QList<SeenBox> seen;

 private:
  void Answer(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    const SeenBox record{box->windowTitle(), box->text(), box->icon()};
    seen << record;
    if (onBox) onBox(record);
    QAbstractButton* button = nullptr;
    for (QAbstractButton* offered : box->buttons())
      if (!pressCaption.isEmpty() && offered->text() == pressCaption) button = offered;
    if (button == nullptr && !FAnswers.isEmpty()) button = box->button(FAnswers.takeFirst());
    if (button == nullptr) button = box->defaultButton();
    if (button == nullptr) button = box->escapeButton();
    if (button != nullptr)
      button->click();
    else
      box->done(0);
  }

  QList<QMessageBox::StandardButton> FAnswers;
  ModalWatcher FWatcher;
};

// Handles the next modal file dialog once.
class FileDialogAnswerer {
 public:
  explicit FileDialogAnswerer(std::function<void(QFileDialog*)> handle)
      : FHandle(std::move(handle)), FWatcher([this](QWidget* modal) {
          auto* dialog = qobject_cast<QFileDialog*>(modal);
          if (dialog == nullptr || FDone) return;
          FDone = true;
          // The dialog ignores selectFile() while its name box has the focus,
          // which it takes once the window is active.
          if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
          FHandle(dialog);
          // A dialog the handler could not close would wait forever: fail instead.
          if (dialog->isVisible()) {
            FDone = false;
            dialog->reject();
          }
        }) {}
  bool Answered() const { return FDone; }

 private:
  std::function<void(QFileDialog*)> FHandle;
  bool FDone = false;
  ModalWatcher FWatcher;
};

struct FieldSpec {
  QByteArray name;
  char type;
  quint8 length;
};

// A dBASE III table: header, descriptors, terminator, records (flag byte and
// values), end mark. The header's counts and lengths follow the content.
inline QByteArray BuildTable(const QList<FieldSpec>& fields, const QList<QByteArray>& records) {
  int recordLength = 1;
  for (const FieldSpec& field : fields) recordLength += field.length;
  const int headerLength = 32 + 32 * int(fields.size()) + 1;
  QByteArray table(32, '\0');
  table[0] = 0x03;
  table[1] = char(124);
  table[2] = 5;
  table[3] = 17;
  qToLittleEndian<quint32>(quint32(records.size()), table.data() + 4);
  qToLittleEndian<quint16>(quint16(headerLength), table.data() + 8);
  qToLittleEndian<quint16>(quint16(recordLength), table.data() + 10);
  for (const FieldSpec& field : fields) {
    QByteArray descriptor(32, '\0');
    descriptor.replace(0, field.name.size(), field.name);
    descriptor[11] = field.type;
    descriptor[16] = char(field.length);
    table += descriptor;
  }
  table += '\r';
  for (const QByteArray& record : records) table += ' ' + record;
  table += '\x1a';
  return table;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

#endif
