#pragma once

#include <QString>

class QWidget;
class Shell;
struct Endpoints;

// The links of the menus "Link utili" and "?", and of "Sostieni Sintonia": each opens an
// address in the user's browser.
namespace Links {

// Sites of third parties, kept here and nowhere else.
inline constexpr char GraphologySite[] = "www.grafologia.it";
inline constexpr char MediaPlayerVendor[] = "www.microsoft.com";
inline constexpr char RealPlayerVendor[] = "www.real.com";

// The address each menu item opens, by the item's name; empty for other names.
QString addressOf(const QString &item, const Endpoints &endpoints);

// Connects every link item and label found in `window` to the shell.
void connectAll(QWidget *window, const Endpoints &endpoints, Shell &shell);

} // namespace Links
