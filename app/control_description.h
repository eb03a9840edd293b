// What assistive technology and tooltips say about a control: a name where its
// caption or the label beside it does not give one, and a tooltip.
#ifndef TESSALY_CONTROL_DESCRIPTION_H
#define TESSALY_CONTROL_DESCRIPTION_H

#include <initializer_list>
#include <optional>

#include "app_strings.h"

class QWidget;

struct ControlDescription {
  QWidget* control;
  std::optional<StrId> name;
  StrId tip;
};

void ApplyControlDescriptions(std::initializer_list<ControlDescription> descriptions);

#endif
