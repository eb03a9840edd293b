// A looping animation from the application's resources, shown while work runs.
#ifndef TESSALY_ANIMATION_VIEW_H
#define TESSALY_ANIMATION_VIEW_H

#include <QLabel>
#include <QMovie>

class TAnimate : public QLabel {
  Q_OBJECT

 public:
  explicit TAnimate(QWidget* parent = nullptr);

  // Binds the animation with the given resource number; it repeats without end.
  void SetResource(int resourceId);
  void SetActive(bool active);
  bool Active() const { return FMovie.state() == QMovie::Running; }

 private:
  QMovie FMovie;
};

#endif
