#pragma once

// The program's reverse-domain name on the desktop: the launcher is <id>.desktop, the icon
// and the software-centre entry carry the same name, and the windows announce it so the
// desktop matches them to the launcher. The build's install rules use the same name.
inline constexpr char ApplicationId[] = "io.github.tarnwick.Tarnwick";
