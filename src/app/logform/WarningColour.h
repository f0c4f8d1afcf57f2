// The light red a field (or a group) takes when an input check fails, until
// the operator types into it again.
#pragma once

class QWidget;

namespace mss::app {

void MarkWarning(QWidget& widget);
void ClearWarning(QWidget& widget);
bool HasWarning(const QWidget& widget);

}  // namespace mss::app
