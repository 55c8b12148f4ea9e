// What the editor and the reminder check ask of the desktop memo windows.
#pragma once

#include <cstdint>

namespace haripon {

class MemoWindowOperations {
  public:
    virtual ~MemoWindowOperations() = default;

    // A hidden window comes up at its slot's place, size and text; a shown one stays.
    virtual void ShowMemoWindow(int slot) = 0;
    virtual void HideMemoWindow(int slot) = 0;
    virtual void SkinMemoWindow(int slot) = 0;
    virtual void DrawMemoLabel(int slot, std::int32_t color) = 0;
    virtual void PeelOffMemo(int slot) = 0;
};

}  // namespace haripon
