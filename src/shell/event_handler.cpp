#include "shell/event_handler.h"

#include "shell/form.h"

namespace {

void HandleWindowEvent(TMForm& form, const SDL_WindowEvent& window, uint64_t nowMs) {
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            form.FormCloseQuery();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            form.SetActive(false, nowMs);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            form.SetActive(true, nowMs);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            form.MDXDraw.NoteWindowChanged();
            form.SetActive(true, nowMs);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            form.MDXDraw.NoteWindowChanged();
            break;
        default:
            break;
    }
}

}  // namespace

void HandleEvent(TMForm& form, const SDL_Event& event, uint64_t nowMs) {
    switch (event.type) {
        case SDL_QUIT:
            form.FormCloseQuery();
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(form, event.window, nowMs);
            break;
        case SDL_KEYDOWN: {
            const SDL_Scancode key = event.key.keysym.scancode;
            // Either Alt key: Alt+Enter switches the display and is not an Enter.
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
            // The bars beside a scaled picture are not the game's: the pointer there touches no
            // button, and a click there does what a click anywhere does.
            if (form.MDXDraw.WindowToSurface(event.motion.x, event.motion.y, x, y)) {
                form.MDXDrawMouseMove(x, y);
            }
            break;
        }
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) form.MDXDrawClick();
            break;
        case SDL_CONTROLLERDEVICEADDED:
            form.GamePadAdded(event.cdevice.which);  // a device index
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            form.GamePadRemoved(event.cdevice.which);  // an instance id
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            form.GamePadButton(event.cbutton.which, event.cbutton.button,
                               event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        case SDL_CONTROLLERAXISMOTION:
            form.GamePadAxis(event.caxis.which, event.caxis.axis, event.caxis.value);
            break;
        default:
            break;
    }
}
