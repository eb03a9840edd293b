#include "control_description.h"

#include <QWidget>

void ApplyControlDescriptions(std::initializer_list<ControlDescription> descriptions) {
  for (const ControlDescription& description : descriptions) {
    if (description.name) description.control->setAccessibleName(AppString(*description.name));
    description.control->setToolTip(AppString(description.tip));
  }
}
