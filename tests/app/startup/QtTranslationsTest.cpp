#include "app/startup/QtTranslations.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QMessageBox>

#include "common/QtApp.h"

namespace mss::app {
namespace {

QString ButtonText(QMessageBox::StandardButton which) {
    QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("Programm beenden?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Save);
    return box.button(which)->text().remove(QLatin1Char('&'));
}

TEST(QtTranslationsTest, QtsOwnButtonsSpeakTheProgramsLanguage) {
    mss::test::QtApp();
    QtTranslations translations;
    ASSERT_TRUE(translations.Apply(true)) << "qt6-translations-l10n is not installed";
    EXPECT_TRUE(translations.Loaded());
    const std::pair<QMessageBox::StandardButton, const char*> german[] = {
        {QMessageBox::Yes, "Ja"},
        {QMessageBox::No, "Nein"},
        {QMessageBox::Cancel, "Abbrechen"},
        {QMessageBox::Save, "Speichern"},
    };
    for (const auto& [button, text] : german)
        EXPECT_EQ(ButtonText(button), QString::fromUtf8(text));
    ASSERT_TRUE(translations.Apply(false));
    EXPECT_FALSE(translations.Loaded());
    EXPECT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("Yes"));
}

}  // namespace
}  // namespace mss::app
