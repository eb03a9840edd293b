#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QThread>

#include <functional>

#include "search_types.h"

class SearchWalk;

// Walks folders and reports the entries that meet the criteria: file-name masks, folders
// (optionally with every subfolder), a size range, required attributes, six date bounds and
// optionally a text the contents must hold. The walk runs on the main thread and processes
// pending events on entering each folder, so a search can be stopped from the user interface.
class TSearchFileGrep : public QObject {
  Q_OBJECT

 public:
  using TSPOnFileChangeEvent = std::function<void(TSearchFileGrep* Sender, const QString& filename)>;
  using TSPOnFoundEvent = std::function<void(TSearchFileGrep* Sender, PSPFileRecord filedata)>;
  using TNotifyEvent = std::function<void(TSearchFileGrep* Sender)>;

  explicit TSearchFileGrep(QObject* parent = nullptr);
  ~TSearchFileGrep() override;

  // Folders to search, separated by ";".
  QString Dirs;
  // File-name masks, separated by ";"; empty means "*.*".
  QString FileMasks;
  bool RecurseSubDirs = true;
  qint64 MinSize = 0;
  qint64 MaxSize = 0;  // 0: no upper bound
  TSPFileAttributes Attributes = fmAnyfile;
  TSPCheckDates CheckDates;
  TSPResults ResultValues = TSPResults(srsDir) | srsFilename;
  bool InternalFoundList = true;
  bool ThreadedSearch = true;
  TSearchOptions SearchOptions;
  // Enter only folders on fixed drives (and on file systems the mount table does not name),
  // never removable, network, optical or memory drives. Pseudo file systems are never entered.
  bool FixedDrivesOnly = false;

  TSPDateTime CreatedAfter, CreatedBefore, AccessedAfter, AccessedBefore, ModifiedAfter,
      ModifiedBefore;

  QThread::Priority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(QThread::Priority priority);

  const QString& SearchString() const { return FSearchString; }
  // A changed text is validated first; an invalid one is refused and reported through
  // OnTemplateInvalid, or by a message box when that event is unassigned.
  void SetSearchString(const QString& text);

  // The full path of every entry found by the last search (when InternalFoundList is set).
  const QStringList& FoundList() const { return FFoundList; }

  void StartSearch();
  void StopSearch();
  bool IsSearching() const { return FRunning; }

  TSPOnFileChangeEvent OnDirChange;
  TSPOnFileChangeEvent OnFileChange;
  TSPOnFoundEvent OnFound;
  TSPOnFileChangeEvent OnErrorOpenFile;
  TNotifyEvent OnTemplateInvalid;
  TNotifyEvent OnCancel;
  TNotifyEvent OnFinished;
  TNotifyEvent OnEnd;

 private:
  friend class SearchWalk;

  void RunSearch();
  bool IsStopped() const;
  void AddFound(const QString& path);

  QThread::Priority FThreadPriority = QThread::NormalPriority;
  QString FSearchString;
  QStringList FFoundList;
  QPointer<QThread> FThread;
  bool FStopFlag = false;
  bool FRunning = false;
  bool FApplicationQuitting = false;
};
