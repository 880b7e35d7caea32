// Native builds only: what HuxMessageBox was asked to show, for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HuxMessageRecord {
    intptr_t owner = 0;
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// Every message box shown since the last clear, oldest first.
const std::vector<HuxMessageRecord>& HuxMessageLog();
void HuxClearMessageLog();
