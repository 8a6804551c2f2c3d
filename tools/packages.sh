# The Debian packages the game needs, sourced by the play and test scripts.
build_packages="g++ cmake make pkg-config liballegro4-dev libxrandr-dev"
web_packages="emscripten python3"
# What each stage of the test command needs on top of the build packages.
fast_test_packages="libgtest-dev libbenchmark-dev libasound2-dev"
window_test_packages="$fast_test_packages python3 xvfb xauth xdotool x11-apps sox valgrind desktop-file-utils appstream man-db groff-base mandoc sway swaybg xwayland grim"
web_test_packages="$fast_test_packages $web_packages xvfb xauth chromium firefox-esr webkit2gtk-driver pulseaudio pulseaudio-utils"
package_test_packages="$fast_test_packages git file dpkg-dev debhelper lintian autopkgtest debootstrap"
fuzz_test_packages="clang libclang-rt-14-dev"
# Building for Windows: the cross compiler, the installer's maker and the zip.
windows_build_packages="cmake make patch ca-certificates g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 nsis zip icoutils"
windows_test_packages="$windows_build_packages $fast_test_packages wine wine64 xvfb xauth xdotool x11-apps sox unzip python3 nodejs pulseaudio pulseaudio-utils"
