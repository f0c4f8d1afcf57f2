#include "app/logform/ContestLogStart.h"

#include "app/logform/ContestLogStd.h"
#include "app/listwindows/LogWindows.h"
#include "contest/ContestStore.h"
#include "log/LogOpening.h"
#include "platform/Messages.h"

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
    std::optional<contest::ContestDefinition> definition;
    if (storeUse->open()) definition = log::EntryDefinition(entryNumber);
    if (!definition) {
        platform::CurrentMessages().Information("Der Contest-Eintrag kann nicht gelesen werden.");
        return nullptr;
    }
    auto form = std::make_unique<TContestLogStd>(entryNumber, std::move(*definition), mainWindow);
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
