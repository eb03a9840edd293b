// The elapsed time of a run, written with a date-time mask.
#ifndef TESSALY_ELAPSED_TIME_H
#define TESSALY_ELAPSED_TIME_H

#include <QString>

// Renders a duration with a mask whose double- or single-quoted parts are
// literal text and whose specifiers are h (hours of the day; whole days are
// dropped), n (minutes), s (seconds) and z (milliseconds); a doubled h, n, s
// or a tripled z adds leading zeros. Other characters are copied.
QString FormatElapsedTime(const QString& mask, qint64 milliseconds);

#endif
