#pragma once
// The engine's thread bodies and the play thread's drawing and event
// handling; each says which thread runs it.
#include "Src/FFPlayState.h"

// Read thread unit: none public beyond FFPlay.h.

// Video thread (started by the component open of a video stream).
int VideoThread(TVideoState* vs);
// Subtitle thread.
int SubtitleThread(TVideoState* vs);
// Play thread: creates the overlay of the picture slot being filled.
void AllocPicture(TVideoState* vs);
// Frees the subtitle record of a subpicture slot.
void FreeSubPicture(TSubPicture& ASp);
// YUV colour of a subtitle palette entry 0xAARRGGBB as 0xAAYYUUVV.
uint32_t PaletteToYUVA(uint32_t AArgb);

// SDL's audio thread.
void SDLCALL AudioCallback(void* AOpaque, Uint8* AStream, int ALength);
// Adjusted byte count of a decoded buffer when audio is a slave clock;
// never more than ACapacity bytes.
int SynchronizeAudio(TVideoState* vs, int16_t* ASamples, int ASize, int ACapacity);
void UpdateSampleDisplay(TVideoState* vs, const int16_t* ASamples, int ASize);

// Play thread: drawing.
int VideoOpen(TVideoState* vs, bool AForce);
void VideoDisplay(TVideoState* vs);
// The drawing rectangle of a picture of aspect AAspect inside AWidth x AHeight.
SDL_Rect PictureRect(int AWidth, int AHeight, float AAspect);
// Blends a subtitle rectangle into a YUV 4:2:0 picture.
void BlendSubrect(uint8_t* const AData[3], const int ALinesize[3], const AVSubtitleRect* ARect, int AImgW, int AImgH);

// Refresh thread and the play thread's event loop.
int RefreshThread(TVideoState* vs);
void VideoRefresh(TVideoState* vs, bool AAdvance);
