# The Debian packages the game needs, sourced by the play and test scripts.
build_packages="g++ cmake make pkg-config liballegro4-dev"
web_packages="emscripten python3"
# What each stage of the test command needs on top of the build packages.
fast_test_packages="libgtest-dev libbenchmark-dev libasound2-dev"
window_test_packages="$fast_test_packages xvfb xauth xdotool x11-apps sox valgrind desktop-file-utils appstream man-db groff-base mandoc"
web_test_packages="$fast_test_packages $web_packages xvfb xauth chromium firefox-esr webkit2gtk-driver pulseaudio pulseaudio-utils"
package_test_packages="$fast_test_packages git file dpkg-dev debhelper lintian autopkgtest debootstrap"
fuzz_test_packages="clang libclang-rt-14-dev"
