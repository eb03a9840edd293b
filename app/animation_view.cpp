#include "animation_view.h"

TAnimate::TAnimate(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TAnimate::SetResource(int resourceId) {
  FMovie.stop();
  FMovie.setFileName(QStringLiteral(":/animations/%1.gif").arg(resourceId));
  FMovie.setCacheMode(QMovie::CacheAll);
  setMovie(&FMovie);
  FMovie.jumpToFrame(0);
  if (FMovie.isValid()) setFixedSize(FMovie.currentImage().size());
}

void TAnimate::SetActive(bool active) {
  if (active) {
    FMovie.start();
  } else {
    FMovie.stop();
    FMovie.jumpToFrame(0);
  }
}
