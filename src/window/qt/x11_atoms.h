#pragma once

#include <xcb/xcb.h>

namespace klobbet {

// The X11 atom with this name, or XCB_ATOM_NONE.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);

// The application's X connection; null on other platforms.
xcb_connection_t* x11Connection();

}  // namespace klobbet
