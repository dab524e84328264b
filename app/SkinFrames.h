#pragma once
// Puts the skinned frame on a form. Kept apart because the frame's header
// and the skinned lists' headers do not go into one source file.
//
// Threads: UI thread only.

class TForm;
class TbsSkinData;
class TbsSkinFrame;

namespace skinframes {

// The caption buttons a frame shows.
enum TFrameButtons : unsigned { fbNone = 0, fbSystemMenu = 1, fbMinimize = 2, fbRollUp = 4 };

// A frame drawn from store (its menus too) with the given caption buttons,
// (fbNone: no caption buttons at all, not even close), owned by form, keeping the form's client area at width x height whatever
// frame a skin draws.
TbsSkinFrame* AttachSkinFrame(TForm* form, TbsSkinData* store, unsigned buttons, int width, int height);

}  // namespace skinframes
