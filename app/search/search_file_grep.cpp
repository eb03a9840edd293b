#include "search_file_grep.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <chrono>

#include "content_matcher.h"
#include "search_strings.h"
#include "search_walk.h"

TSearchFileGrep::TSearchFileGrep(QObject* parent) : QObject(parent) {
  if (QCoreApplication* application = QCoreApplication::instance()) {
    connect(application, &QCoreApplication::aboutToQuit, this,
            [this] { FApplicationQuitting = true; });
  }
}

TSearchFileGrep::~TSearchFileGrep() {
  StopSearch();
  if (!FThread) return;
  // The thread waits for the main thread to run the search; dropping the posted call releases
  // it, so that it can end before this object goes.
  using namespace std::chrono_literals;
  while (FThread && !FThread->wait(10ms)) {
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  }
}

void TSearchFileGrep::SetThreadPriority(QThread::Priority priority) {
  FThreadPriority = priority;
  if (FThread && FThread->isRunning()) FThread->setPriority(priority);
}

void TSearchFileGrep::SetSearchString(const QString& text) {
  if (text == FSearchString) return;
  if (!ContentMatcher::IsValidExpression(text)) {
    if (OnTemplateInvalid) {
      OnTemplateInvalid(this);
    } else {
      QMessageBox::critical(nullptr, SearchText(kTextCaptionError),
                            SearchText(kTextInvalidSearchExpression));
    }
    return;
  }
  FSearchString = text;
}

void TSearchFileGrep::StartSearch() {
  // One search at a time, also when a start comes from an event handler of a running search.
  if (FThread || FRunning) return;
  FFoundList.clear();
  FStopFlag = false;
  if (!ThreadedSearch) {
    RunSearch();
    return;
  }
  // The thread only hands the search to the main thread and waits for it to end.
  QThread* thread = QThread::create([this] {
    QMetaObject::invokeMethod(this, [this] { RunSearch(); }, Qt::BlockingQueuedConnection);
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  FThread = thread;
  thread->start(FThreadPriority);
}

void TSearchFileGrep::StopSearch() {
  FStopFlag = true;
  if (FThread) FThread->requestInterruption();
}

bool TSearchFileGrep::IsStopped() const {
  return (FThread && FThread->isInterruptionRequested()) || FApplicationQuitting ||
         QCoreApplication::closingDown() || FStopFlag;
}

void TSearchFileGrep::AddFound(const QString& path) { FFoundList.append(path); }

void TSearchFileGrep::RunSearch() {
  FRunning = true;
  SearchWalk(*this).Run();
  if (FThread) {
    if (!FThread->isInterruptionRequested()) FThread->requestInterruption();
    FThread = nullptr;
  }
  if (FStopFlag) {
    if (OnCancel) OnCancel(this);
  } else {
    if (OnFinished) OnFinished(this);
  }
  FStopFlag = false;
  if (OnEnd) OnEnd(this);
  FRunning = false;
}
