#pragma once

#include <QString>

namespace WebAddress {
// True for an http or https address with a host. Addresses that come from the server
// (catalogue stations, partner pages) are loaded only when they are web pages: a
// "javascript:" or "file:" address would act inside the program's panes.
bool isWebPage(const QString &address);
}
