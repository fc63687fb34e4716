#pragma once

// What a category asks of its floating folder window (view 1): the window
// hosting the category's folder buttons implements it.
class IFloatingFolderView {
public:
    // Shows the buttons again after the window became the category's view.
    virtual void RefreshFolderButtons() = 0;
    // Reads the category's buttons from the folder-button file again.
    virtual void ReloadFolderButtons() = 0;

protected:
    ~IFloatingFolderView() = default;
};
