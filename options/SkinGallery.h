#pragma once

// What the options window asks of its skin list and gallery. They link
// themselves with OptionsWindow::SetSkinGallery; until then the window asks
// nothing.
class SkinGallery {
public:
    // Refills the skin list and selects the current skin in it; run on
    // every activation of the window.
    virtual void RefillSkinList() = 0;
    // Rebuilds the thumbnails; the user has turned to the gallery page.
    virtual void BuildGallery() = 0;

protected:
    ~SkinGallery() = default;
};
