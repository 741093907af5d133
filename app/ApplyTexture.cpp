#include "app/ApplyTexture.h"

#include "clock/FaceColors.h"
#include "platform/dialogs/Application.h"
#include "platform/files/ProgramFolder.h"
#include "skins/LiveSkin.h"
#include "skins/Texture.h"

void ApplyTexture(TextureBand& band, LiveSkin& liveSkin)
{
    const ResolvedTexture resolved = ResolveTexture(SkinToDraw(liveSkin.skin()), ProgramFolder());
    resolved.ApplyTo(band);
    liveSkin.texture() = { resolved.Style, resolved.File };
    if (resolved.StoredTexture)
        liveSkin.setFoundTexture(*resolved.StoredTexture);
    if (!resolved.Problem)
        return;
    if (resolved.Problem->kind == TextureProblem::Kind::Notice)
        ShowMessage(resolved.Problem->text);
    else
        ShowError(resolved.Problem->text);
}
