#include "app/ApplyTexture.h"

#include "clock/FaceColors.h"
#include "platform/dialogs/Application.h"
#include "platform/files/ProgramFolder.h"
#include "skins/Skin.h"
#include "skins/Texture.h"

void ApplyTexture(TextureBand& ColorBand)
{
    const ResolvedTexture resolved = ResolveTexture(SkinToDraw(Skin), ProgramFolder());
    resolved.ApplyTo(ColorBand);
    TextureStyle = resolved.Style;
    TextureFile = resolved.File;
    if (resolved.StoredTexture)
        Skin.Texture = *resolved.StoredTexture;
    if (!resolved.Problem)
        return;
    if (resolved.Problem->kind == TextureProblem::Kind::Notice)
        ShowMessage(resolved.Problem->text);
    else
        ShowError(resolved.Problem->text);
}
