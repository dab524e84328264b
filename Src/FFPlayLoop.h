#pragma once
// The play thread's SDL event loop (runs until a quit event, SDL_QUIT, or
// until it finds the player's state gone).
class TCustomPlayer;
void EventLoop(TCustomPlayer* APlayer);
