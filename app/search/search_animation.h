#pragma once

#include <QTimer>
#include <QWidget>

// A magnifying glass sweeping over a folder, repeating without end while a search runs.
class SearchAnimation : public QWidget {
  Q_OBJECT

 public:
  explicit SearchAnimation(QWidget* parent = nullptr);

  void Start();
  void Stop();
  bool IsActive() const { return FTimer.isActive(); }
  QSize sizeHint() const override { return {80, 60}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer FTimer;
  int FFrame = 0;
};
