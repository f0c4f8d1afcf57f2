#include "app/startup/ProgramRecordStore.h"

#include <cstdlib>

#include "log/LogKeys.h"
#include "radio/ProgramValues.h"
#include "store/RecordStore.h"

namespace mss::app {

bool InitProgramRecordStore() {
    auto& values = radio::Program();
    store::RecordStoreSettings settings;
    settings.languageGerman = values.LanguageGerman == 1;
    settings.runDir = values.RunDir;
    settings.halt = [] { std::exit(EXIT_FAILURE); };
    // The contest log has the most keys of all the files the program opens.
    settings.pageBuffers = store::PageBuffersFor(log::kLogKeyCount);
    return store::InitRecordStore(settings);
}

}  // namespace mss::app
