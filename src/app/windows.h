#pragma once

#include "platform/platformservices.h"

#include <QWidget>

#include <memory>
#include <vector>

class TFrm_Sintonia;

// The program's eight windows, created in a fixed order at start and kept until the end;
// dialogs are hidden between uses, never destroyed.
class SintoniaWindows
{
public:
    explicit SintoniaWindows(const PlatformServices &services);
    ~SintoniaWindows();

    TFrm_Sintonia *main() const { return m_main; }
    // In order of creation, the main window first.
    const std::vector<QWidget *> &all() const { return m_order; }

private:
    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::vector<QWidget *> m_order;
    TFrm_Sintonia *m_main = nullptr;
};
