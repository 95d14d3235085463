// Window and pad events become the form's events here, and only here: the game loop feeds it what
// SDL delivers, the replay runner what its script says (its pads are SDL's virtual controllers,
// whose events it takes from SDL's queue), so both run one code path.

#include "shell/form.h"

void TMForm::HandleWindowEvent(const SDL_WindowEvent& window, uint64_t nowMs) {
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            FormCloseQuery();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            SetActive(false, nowMs);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            SetActive(true, nowMs);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            Components.MDXDraw.NoteWindowChanged();
            SetActive(true, nowMs);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            Components.MDXDraw.NoteWindowChanged();
            break;
        default:
            break;
    }
}

void TMForm::HandleEvent(const SDL_Event& event, uint64_t nowMs) {
    // While a replay plays, the viewer's keys and buttons steer the replay, not its race.
    if (Watch.Active && HandleWatchingEvent(event)) return;
    switch (event.type) {
        case SDL_QUIT:
            FormCloseQuery();
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window, nowMs);
            break;
        case SDL_KEYDOWN: {
            const SDL_Scancode key = event.key.keysym.scancode;
            // Either Alt key: Alt+Enter switches the display and is not an Enter.
            const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
            // A key the controls screen captured is not typed as well.
            if (FormKeyDown(key, alt, event.key.repeat != 0)) break;
            // Enter and Backspace are typed characters too; a held Enter does not repeat.
            if ((key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER) && !alt &&
                event.key.repeat == 0) {
                FormKeyPress(13);
            }
            if (key == SDL_SCANCODE_BACKSPACE) FormKeyPress(8);
            break;
        }
        case SDL_KEYUP:
            FormKeyUp(event.key.keysym.scancode);
            break;
        case SDL_TEXTINPUT:
            for (const char* c = event.text.text; *c != '\0'; ++c) FormKeyPress(*c);
            break;
        case SDL_MOUSEMOTION: {
            int x = 0;
            int y = 0;
            // The bars beside a scaled picture are not the game's: the pointer there touches no
            // button, and a click there does what a click anywhere does.
            if (Components.MDXDraw.WindowToSurface(event.motion.x, event.motion.y, x, y)) {
                MDXDrawMouseMove(x, y);
            }
            break;
        }
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) MDXDrawClick();
            break;
        case SDL_CONTROLLERDEVICEADDED:
            GamePadAdded(event.cdevice.which);  // a device index
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            GamePadRemoved(event.cdevice.which);  // an instance id
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            GamePadButton(event.cbutton.which, event.cbutton.button,
                          event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        case SDL_CONTROLLERAXISMOTION:
            GamePadAxis(event.caxis.which, event.caxis.axis, event.caxis.value);
            break;
        default:
            break;
    }
}
