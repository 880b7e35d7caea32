// The table from thread to record is shared by every thread of the process,
// so it is guarded; lookups are rare (error reports only).
#include "HuxLib/HUXUTIL/HuxApp.h"

#include <map>
#include <mutex>
#include <thread>

namespace {

struct AppTable {
    std::mutex lock;
    std::map<std::thread::id, HuxApp*> records;
};

AppTable& Table()
{
    static AppTable table;
    return table;
}

} // namespace

HuxApp::~HuxApp() { Unregister(); }

void HuxApp::ReportError(int32_t, int32_t) {}

void HuxApp::Register()
{
    AppTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.records[std::this_thread::get_id()] = this;
}

void HuxApp::Unregister()
{
    AppTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    std::erase_if(table.records, [this](const auto& entry) { return entry.second == this; });
}

HuxApp* GetHUXAPP()
{
    AppTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.records.find(std::this_thread::get_id());
    return found == table.records.end() ? nullptr : found->second;
}
