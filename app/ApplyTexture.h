#pragma once

class LiveSkin;
struct TextureBand;

// Puts the live skin's Texture, TextureColor (a system colour resolved) and
// TextureTransparency onto the band, as ResolveTexture works them out
// against the program folder: the live skin's texture state follows, a found
// picture's full path goes back into the skin, and a problem is shown to the
// user ("Texture file not found." as a message, a picture that cannot be
// loaded in the error box). Either way the band keeps its previous picture,
// and nothing is thrown, so a bad skin never stops the clock's refresh.
void ApplyTexture(TextureBand& band, LiveSkin& liveSkin);
