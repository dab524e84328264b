// The engine's components are class-library components: the engine's and
// the class library's headers compile together, and a form owns, names and
// frees the encoder component, the probe, the player and the logger as it
// does its own controls.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Src/AVProbe.h"
#include "Src/DIzizuZUR.h"
#include "Src/FFPlay.h"
#include "Src/FFmpegLogger.h"
#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/MainThread.h"
#include "tools/testmedia/TestMedia.h"

namespace {

// Hears which components go away.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> Gone;

protected:
    void Notification(TComponent* AComponent, TOperation AOperation) override {
        TComponent::Notification(AComponent, AOperation);
        if (AOperation == opRemove) Gone.push_back(AComponent);
    }
};

class OwnedComponents : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string error = testmedia::LoadTranscoderLibraries();
        if (!error.empty()) GTEST_SKIP() << error;
        app = std::make_unique<TApplication>();
        Application->Initialize();
    }
    void TearDown() override {
        if (!app) return;
        app.reset();
        platform::DoneMainThread();
    }
    std::unique_ptr<TApplication> app;
};

TEST_F(OwnedComponents, AFormOwnsNamesAndFreesEngineComponents) {
    auto* form = new TForm(nullptr);
    auto* encoder = new TDIzizuZUR(form);
    encoder->SetName(L"ROREZ");
    encoder->Tag = 7;
    auto* player = new TZADovovi(form);
    player->SetName(L"ZADovovi");
    auto* probe = new TAVProbe(form);
    probe->SetName(L"Probe");
    EXPECT_EQ(encoder->Owner(), form);
    EXPECT_EQ(form->FindComponent(L"ROREZ"), encoder);
    EXPECT_EQ(form->FindComponent(L"ZADovovi"), player);
    EXPECT_EQ(static_cast<TDIzizuZUR*>(form->FindComponent(L"ROREZ"))->Tag, 7);
    EXPECT_FALSE(encoder->Designing());
    // The player's own probe is a part of it, not a component of the form.
    EXPECT_EQ(player->AVProbe()->Owner(), nullptr);

    TWatcher watcher(nullptr);
    watcher.FreeNotification(encoder);
    watcher.FreeNotification(probe);
    encoder->Free();
    ASSERT_EQ(watcher.Gone.size(), 1u);
    EXPECT_EQ(watcher.Gone[0], encoder);
    EXPECT_EQ(form->FindComponent(L"ROREZ"), nullptr);
    const int left = form->ComponentCount();
    form->Free();  // frees the player and the probe with it
    EXPECT_EQ(left, 2);
    ASSERT_EQ(watcher.Gone.size(), 2u);
    EXPECT_EQ(watcher.Gone[1], probe);
}

TEST_F(OwnedComponents, TheLoggerIsAComponentToo) {
    auto* form = new TForm(nullptr);
    auto* logger = new TFFLogger(form);
    EXPECT_EQ(GlobalLogger(), logger);
    form->Free();
    // Freed with its form, it is no longer the process-wide logger.
    EXPECT_NE(GlobalLogger(), logger);
}

}  // namespace
