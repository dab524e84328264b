#pragma once
// A skin store owned by one of three forms that log the store's messages,
// with the store's state at the moment each arrived.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SkinFixture.h"
#include "platform/Forms.h"
#include "platform/MainThread.h"

struct Received {
    int form;
    UINT msg;
    bool empty;
    bool inProcess;
    String skinName;
};

// A form that logs the store messages it receives, with the store's state.
class LogForm : public TForm {
public:
    LogForm(TComponent* owner, int id, std::vector<Received>* log) : TForm(owner), id_(id), log_(log) {}
    void WndProc(TMessage& m) override {
        if (m.Msg >= WM_BEFORECHANGESKINDATA && m.Msg <= WM_CHANGELAYEREDBORDERS && m.LParam == 1000) {
            auto* store = reinterpret_cast<TbsSkinData*>(m.WParam);
            log_->push_back({id_, m.Msg, store->Empty, store->ChangeSkinDataProcess, store->SkinName});
            return;
        }
        TForm::WndProc(m);
    }

private:
    int id_;
    std::vector<Received>* log_;
};

class SkinStore : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>();
        Application->Initialize();
        for (int i = 0; i < 3; ++i) {
            forms.push_back(new LogForm(Application, i, &log));
            forms.back()->AfterConstruction();
        }
        store = new TbsSkinData(forms[1]);
    }
    void TearDown() override {
        app.reset();
        platform::DoneMainThread();
    }
    void LoadBytes(const std::vector<uint8_t>& bytes) {
        TbsCompressedStoredSkin s(nullptr);
        LoadContainer(&s, bytes);
        store->LoadCompressedStoredSkin(&s);
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> m;
        for (const auto& r : log) m.push_back(r.msg);
        return m;
    }
    std::vector<int> FormsFor(UINT msg) const {
        std::vector<int> f;
        for (const auto& r : log)
            if (r.msg == msg) f.push_back(r.form);
        return f;
    }

    std::unique_ptr<TApplication> app;
    std::vector<LogForm*> forms;
    std::vector<Received> log;
    TbsSkinData* store = nullptr;
};
