// TPTitleForm: the title picture at start, then the hidden main window of the program.
#pragma once

#include "platform/form.h"

namespace haripon {

class Application;

class TitleForm : public Form {
  public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;

    explicit TitleForm(Application& application) : application_(application) {}

    void Create();

  protected:
    void FormCreate() override;
    void FormClose() override;
    bool IsMainForm() const override { return true; }
    void FormTimer(UINT_PTR id) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void TitleTimerTimer();

    Application& application_;
};

}  // namespace haripon
