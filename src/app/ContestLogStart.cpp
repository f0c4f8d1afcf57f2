#include "app/ContestLogStart.h"

#include "app/ContestLogStd.h"
#include "app/LogWindows.h"
#include "contest/Catalogue.h"
#include "contest/ContestStore.h"
#include "platform/Messages.h"
#include "store/KeyCodec.h"

namespace mss::app {

namespace {

// Keeps the contest store open while the form lives.
class ContestStoreUse : public QObject {
  public:
    explicit ContestStoreUse(QObject* owner) : QObject(owner) {
        open_ = contest::OpenQVKK() && contest::OpenQVKZ();
    }
    ~ContestStoreUse() override {
        contest::CloseQVKZ();
        contest::CloseQVKK();
    }
    bool open() const { return open_; }

  private:
    bool open_ = false;
};

}  // namespace

std::unique_ptr<TContestLogStd> PrepareContestLog(std::int32_t entryNumber, QWidget* mainWindow) {
    auto storeUse = std::make_unique<ContestStoreUse>(nullptr);
    store::TFileblockObject* entries = contest::ContestFile();
    if (!storeUse->open() || entries == nullptr ||
        entries->Find(contest::kByNumber, store::IntToKey(entryNumber)) != 0) {
        platform::CurrentMessages().Information("Der Contest-Eintrag kann nicht gelesen werden.");
        return nullptr;
    }
    contest::ContestEntry entry = contest::SelectedEntry();
    contest::ContestDefinition definition = contest::FillContestDefinition(entry.Code(), entry);
    // The catalogue marks where the entry keeps its totals; the form reads
    // the entry from the store.
    if (entry != contest::SelectedEntry()) {
        contest::SetSelectedEntry(entry);
        (void)entries->Update();
    }
    auto form = std::make_unique<TContestLogStd>(entryNumber, std::move(definition), mainWindow);
    if (!form->Opened()) {
        platform::CurrentMessages().Information(
            "Das Contest-Logbuch kann nicht ge\xF6"
            "ffnet werden.");
        return nullptr;
    }
    InstallLogWindows(*form);
    storeUse->setParent(form.get());
    (void)storeUse.release();
    return form;
}

bool RunContestLog(std::int32_t entryNumber, QWidget* mainWindow) {
    std::unique_ptr<TContestLogStd> form = PrepareContestLog(entryNumber, mainWindow);
    if (!form) return false;
    form->exec();
    return true;
}

}  // namespace mss::app
