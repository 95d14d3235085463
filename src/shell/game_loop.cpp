#include "shell/game_loop.h"

#include <SDL.h>

#include <cstdio>
#include <exception>

#include "shell/form.h"

namespace {

void HandleEvent(TMForm& form, const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            form.FormCloseQuery();
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    form.FormCloseQuery();
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                case SDL_WINDOWEVENT_MINIMIZED:
                    form.SetActive(false, SDL_GetTicks64());
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                case SDL_WINDOWEVENT_RESTORED:
                    form.SetActive(true, SDL_GetTicks64());
                    break;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN: {
            const SDL_Scancode key = event.key.keysym.scancode;
            const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
            form.FormKeyDown(key, alt);
            // Enter and Backspace are typed characters too; a held Enter does not repeat.
            if ((key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER) && !alt &&
                event.key.repeat == 0) {
                form.FormKeyPress(13);
            }
            if (key == SDL_SCANCODE_BACKSPACE) form.FormKeyPress(8);
            break;
        }
        case SDL_KEYUP:
            form.FormKeyUp(event.key.keysym.scancode);
            break;
        case SDL_TEXTINPUT:
            for (const char* c = event.text.text; *c != '\0'; ++c) form.FormKeyPress(*c);
            break;
        case SDL_MOUSEMOTION: {
            int x = 0;
            int y = 0;
            form.MDXDraw.WindowToSurface(event.motion.x, event.motion.y, x, y);
            form.MDXDrawMouseMove(x, y);
            break;
        }
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) form.MDXDrawClick();
            break;
        default:
            break;
    }
}

}  // namespace

int RunGameLoop(TMForm& form) {
    SDL_StartTextInput();
    while (!form.Terminated()) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            HandleEvent(form, event);
            if (form.Terminated()) return 0;
        }
        if (!form.Active()) {
            SDL_WaitEventTimeout(nullptr, 100);  // nothing moves while the game is away
            continue;
        }
        const int lag = form.MDXTimer.Tick(SDL_GetTicks64(), form.Timing);
        form.FrameHandler(lag);
    }
    return 0;
}

int RunGame() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Zarvex 2: SDL cannot start: %s\n", SDL_GetError());
        return 1;
    }
    // Sound is optional: without an audio device the game runs silently.
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    int status = 0;
    {
        TMForm form{FormConfig{}};
        try {
            if (!form.FormCreate()) {
                status = 1;
            } else {
                status = RunGameLoop(form);
            }
        } catch (const std::exception& error) {
            form.ReportFatal(error.what());
            status = 1;
        }
    }
    SDL_Quit();
    return status;
}
