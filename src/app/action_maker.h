#pragma once
// How the window's menus get their actions: the frame makes the action of a
// command id with its menu text, and the window's own prompts, tooltips and
// help go with it.

#include <QString>
#include <functional>

class QAction;

namespace korvel {

using ActionMaker = std::function<QAction*(int id, const QString& text)>;

}  // namespace korvel
