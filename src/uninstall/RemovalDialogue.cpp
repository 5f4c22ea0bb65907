#include "uninstall/RemovalDialogue.h"

#include "uninstall/FillIn.h"
#include "uninstall/RemovalProgress.h"

#include <optional>

std::string RemoveProductQuestion(const std::string& name) {
    return FillIn("Remove %s and all of its components?", {name});
}

std::string FileInUseQuestion(const std::string& path) {
    return FillIn("%s cannot be removed: it may be in use by another program.", {path});
}

std::string SharedFileQuestion(const std::string& path) {
    return FillIn("The shared file %s is no longer used by any program.\r\n\r\nRemove it?", {path});
}

namespace {

class BoxDialogue : public RemovalDialogue {
public:
    explicit BoxDialogue(HINSTANCE instance) : instance_(instance) {}

    bool AskRemoveProduct(const std::string& name) override {
        return MessageBoxA(nullptr, RemoveProductQuestion(name).c_str(), name.c_str(),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

    void Tell(const std::string& text, const std::string& caption, UINT icon) override {
        MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | icon);
    }

    int AskFileInUse(const std::string& path) override {
        return MessageBoxA(Owner(), FileInUseQuestion(path).c_str(), product_.c_str(),
                           MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION);
    }

    bool AskDeleteSharedFile(const std::string& path) override {
        return MessageBoxA(Owner(), SharedFileQuestion(path).c_str(), product_.c_str(),
                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    }

    void StartProgress(const std::string& product, std::size_t steps) override {
        product_ = product;
        progress_.emplace(instance_, product, steps);
    }

    void ShowProgress(const std::string& text, std::size_t done) override {
        if (progress_) {
            progress_->Show(text, done);
        }
    }

    void EndProgress() override { progress_.reset(); }

    HWND Owner() const override { return progress_ ? progress_->Window() : nullptr; }

    bool ShowsWindows() const override { return true; }

    void Finish(int) override {}

private:
    HINSTANCE instance_;
    std::string product_;
    std::optional<RemovalProgress> progress_;
};

} // namespace

std::unique_ptr<RemovalDialogue> MakeBoxDialogue(HINSTANCE instance) {
    return std::make_unique<BoxDialogue>(instance);
}
