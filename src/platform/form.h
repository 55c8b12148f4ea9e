// A top-level window of the program: one class per window, borderless, created hidden.
#pragma once

#include <windows.h>

namespace haripon {

class Form {
  public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Registers the window class, creates the hidden window with the given client size and
    // runs FormCreate; an error there is reported and the window stays.
    void Create(const wchar_t* className, int clientWidth, int clientHeight);

    HWND Handle() const { return handle_; }
    bool Visible() const;
    void Show();
    void Hide();
    void CenterOnScreen();
    // A close request, as the system's close command makes it.
    void Close();
    // Destroys the window once the current message is handled.
    void Release();

    void StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

  protected:
    virtual void FormCreate() {}
    // False refuses a close request.
    virtual bool FormCloseQuery() { return true; }
    // After an accepted close request: a main form then ends the message loop, any other
    // form hides.
    virtual void FormClose() {}
    virtual bool IsMainForm() const { return false; }
    virtual void FormTimer(UINT_PTR /*id*/) {}
    // Any other message; return true when handled.
    virtual bool HandleMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                               LRESULT& /*result*/) {
        return false;
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void CloseRequested();

    HWND handle_ = nullptr;
};

}  // namespace haripon
