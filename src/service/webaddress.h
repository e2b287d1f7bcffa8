#pragma once

#include <QString>

namespace WebAddress {
// True for an http or https address with a host. Addresses that come from the server
// (catalogue stations, partner pages) are loaded only when they are web pages: a
// "javascript:" or "file:" address would act inside the program's panes.
// Addresses are read as a browser reads them: a space or a "|" in one is no reason to refuse it.
bool isWebPage(const QString &address);

// What a user typed into an address box, to be loaded as typed: only a bare host
// ("radio.example/live") gets the scheme a browser's address bar would give it.
QString fromTyped(const QString &typed);
}
