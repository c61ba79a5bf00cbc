// A headless model of the window controls the main window's handlers touch. Setting a property to
// a new value raises the notification the real control would raise, so code that fills the
// controls drives the bound handlers exactly as a user's change would. The Qt window mirrors these
// objects and forwards the user's actions to them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pg {
class TPixelGraphic;
}

namespace zephrix {

using TNotifyEvent = std::function<void()>;

// A colour as the settings store it: 0x00BBGGRR, or a system colour when the top bit is set.
using TColor = std::int32_t;

class TControl {
public:
    explicit TControl(std::string name) : FName(std::move(name)) {}
    virtual ~TControl() = default;
    const std::string& Name() const { return FName; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }

private:
    std::string FName;
    bool FVisible = true;
    bool FEnabled = true;
};

class TLabel : public TControl {
public:
    TLabel(std::string name, std::string caption) : TControl(std::move(name)), Caption(std::move(caption)) {}
    std::string Caption;
};

class TButton : public TControl {
public:
    TButton(std::string name, std::string caption) : TControl(std::move(name)), Caption(std::move(caption)) {}
    void Click();
    std::string Caption;
    TNotifyEvent OnClick;
};

class TCheckBox : public TControl {
public:
    TCheckBox(std::string name, std::string caption)
        : TControl(std::move(name)), Caption(std::move(caption)) {}
    bool Checked() const { return FChecked; }
    // A change of state raises OnClick, as a click would.
    void SetChecked(bool value);
    void Click() { SetChecked(!FChecked); }
    std::string Caption;
    TNotifyEvent OnClick;

private:
    bool FChecked = false;
};

class TRadioGroup : public TControl {
public:
    TRadioGroup(std::string name, std::string caption, std::vector<std::string> items)
        : TControl(std::move(name)), Caption(std::move(caption)), Items(std::move(items)) {}
    // -1 means no item selected; a new value raises OnClick.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    std::string Caption;
    std::vector<std::string> Items;
    TNotifyEvent OnClick;

private:
    int FItemIndex = -1;
};

class TColorButton : public TControl {
public:
    using TControl::TControl;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TNotifyEvent OnChange;

private:
    TColor FColor = 0;
};

class TSpinEdit : public TControl {
public:
    TSpinEdit(std::string name, int minValue, int maxValue)
        : TControl(std::move(name)), MinValue(minValue), MaxValue(maxValue), FValue(minValue) {}
    int Value() const { return FValue; }
    // Clamped to MinValue..MaxValue; a new value raises OnChange.
    void SetValue(int value);
    const int MinValue;
    const int MaxValue;
    TNotifyEvent OnChange;

private:
    int FValue;
};

// One-line edit and memo alike.
class TEdit : public TControl {
public:
    using TControl::TControl;
    const std::string& Text() const { return FText; }
    void SetText(std::string value);
    TNotifyEvent OnChange;

private:
    std::string FText;
};

class TFontList : public TControl {
public:
    using TControl::TControl;
    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    // The selected font name; empty when none is selected.
    std::string SelectedName() const;
    // Selects the entry equal to `name` ignoring case, else the first entry.
    void SelectByName(const std::string& name);
    TNotifyEvent OnChange;

private:
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The "*.txt" files of one folder.
class TFileList : public TControl {
public:
    explicit TFileList(std::string name, std::string mask = "*.txt")
        : TControl(std::move(name)), Mask(std::move(mask)) {}
    // Lists the folder's files and makes it the process's current directory.
    void SetDirectory(const std::string& folder);
    const std::string& Directory() const { return FDirectory; }
    // Points the list at the file's folder and selects the file.
    void SetFileName(const std::string& path);
    // Full path of the selected file; empty when none is selected.
    std::string FileName() const;
    const std::vector<std::string>& Items() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    // A user's click on item `index`: selects it and raises OnClick.
    void ClickItem(int index);
    void ClearSelection() { FItemIndex = -1; }
    // A user's release of a mouse button over the list.
    void MouseUp(TMouseButton button);
    const std::string Mask;
    TNotifyEvent OnClick;
    std::function<void(TMouseButton)> OnMouseUp;

private:
    std::string FDirectory;
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};

// Shows a picture; keeps its own copy of every image it is given.
class TImageView : public TControl {
public:
    explicit TImageView(std::string name);
    ~TImageView() override;
    void SetPixelGraphic(const pg::TPixelGraphic& image);
    // The copy shown; null until an image was given.
    const pg::TPixelGraphic* Picture() const { return FPicture.get(); }
    // Raised whenever a new picture is set, so that a window can repaint.
    TNotifyEvent OnPictureChange;

private:
    std::unique_ptr<pg::TPixelGraphic> FPicture;
};

class TPageControl : public TControl {
public:
    TPageControl(std::string name, std::vector<std::string> pages)
        : TControl(std::move(name)), Pages(std::move(pages)), FActivePage(Pages.front()) {}
    const std::string& ActivePage() const { return FActivePage; }
    // A programmatic switch: raises nothing.
    void SetActivePage(const std::string& page) { FActivePage = page; }
    // The user's switch to another tab: raises OnChange.
    void SelectPage(const std::string& page);
    const std::vector<std::string> Pages;
    TNotifyEvent OnChange;

private:
    std::string FActivePage;
};

} // namespace zephrix
