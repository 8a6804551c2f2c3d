# The Debian packages the game needs, sourced by the play and test scripts.
build_packages="g++ cmake make pkg-config liballegro4-dev"
web_packages="emscripten python3"
test_packages="git file libasound2-dev libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps sox valgrind clang libclang-rt-14-dev desktop-file-utils appstream dpkg-dev man-db groff-base mandoc debhelper lintian autopkgtest"
browser_test_packages="chromium firefox-esr webkit2gtk-driver nodejs"
