#pragma once

#include "skins/Skin.h"
#include "skins/Texture.h"

#include <QObject>
#include <QString>

#include <optional>

// The skin in effect on the clock: the record every window shows and edits,
// the file it came from, and whether it differs from what that file holds.
// The clock window and the designer observe it; the options window, the
// gallery, the texture chooser and the clock's size keys change it.
class LiveSkin : public QObject {
    Q_OBJECT

public:
    // The built-in skin, from no file.
    explicit LiveSkin(QObject* parent = nullptr);

    const Skin& skin() const { return m_skin; }
    // The skin file the skin was last loaded from or saved to; empty for
    // the built-in skin of a start with no skin named.
    const QString& fileName() const { return m_fileName; }
    // fileName(), else "default.clk" in the program folder.
    QString fileOrDefault() const;
    // Whether the skin differs from what its file held when it was loaded or
    // saved. With the clock's size kept by the settings ("Keep last clock
    // size"), the size is the clock's, not an edit of the skin.
    bool isModified(bool clockSizeKept = false) const;

    // An edit: the skin becomes this one, and the clock and the designer
    // follow at once. An edit of the size is the user's choice of size.
    void edit(const Skin& skin);
    // Whether the clock's size is one the user chose (by the size keys or
    // the designer, or kept from an earlier run at a size other than the
    // skin's own) rather than a skin's own: "Keep last clock size" keeps
    // only such a size when another skin is chosen.
    bool sizeChosenByUser() const { return m_sizeChosenByUser; }
    // Reads the named skin, or "default.clk" in the program folder when the
    // named one is missing; with a clock size given the clock keeps that
    // size instead of the skin's own. A name that is missing stays the
    // skin's file, so that a file that comes back is used again; a folder
    // (an empty setting) names no file. Throws IoError when the file cannot
    // be read: the skin stays, only taking the clock size given.
    void load(const QString& fileName, std::optional<int> clockSize);
    // Writes the skin to fileName, which becomes its file. Throws IoError.
    void saveAs(const QString& fileName);
    // Back to what the file held when it was loaded or saved; with the
    // clock's size kept by the settings the clock keeps its size.
    void revert(bool clockSizeKept = false);

    // The unsaved edits of a clock that ends with no one to ask about them
    // are kept in a draft beside the user's skins, offered back at the next
    // start. Throws IoError.
    void keepDraft() const;
    // Whether a draft of the skin's file was kept.
    bool hasDraft() const;
    // The kept draft becomes the skin, an edit of its file; the draft file
    // goes. Throws IoError when it cannot be read.
    void restoreDraft();
    // The kept draft goes, unread.
    void discardDraft();

    // The texture fields the clock's band already shows (the texture
    // chooser's choice): stored without redrawing the clock.
    void storeShownTexture(const QString& texture, TColor colour, int transparency);
    // The texture text that names the same picture as the one stored, as
    // the clock found it: not an edit.
    void setFoundTexture(const decltype(Skin::Texture)& texture);

    const TextureState& texture() const { return m_texture; }
    TextureState& texture() { return m_texture; }

signals:
    // The skin to show has changed: the clock redraws, the designer shows it.
    void changed();
    // The skin was written to its file, which may be a new one.
    void saved();

private:
    Skin m_skin;
    // What the file held, as loaded (with the load's adjustments) or saved.
    Skin m_fileSkin;
    QString m_fileName;
    TextureState m_texture;
    bool m_sizeChosenByUser = false;
};
