#pragma once

class QMainWindow;
class QMenu;
struct Endpoints;

// The main window's menu bar MainMenu1 with its seven menus, and the tray menu
// PopupMenu1. Items are found later by their component names; their texts are the Italian
// design texts until a language is applied.
namespace MainMenu {

void build(QMainWindow *window, const Endpoints &endpoints);
QMenu *buildTrayMenu(QMainWindow *window);

} // namespace MainMenu
