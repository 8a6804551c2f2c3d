// The page's side of the screen: the canvas that shows the game's bitmap.
// The page hands the game its canvas and that canvas's one 2D context
// (Module.canvas, Module.context), and may ask to hear of the first frame
// shown (Module.onFirstFrame).
mergeInto(LibraryManager.library, {
  vorlix_open_canvas: function (width, height) {
    var canvas = Module['canvas'];
    canvas.width = width;
    canvas.height = height;
    Module['screenImage'] = null;
  },

  // Copies the drawn area, left..right by top..bottom, to the canvas.
  vorlix_show: function (rgba, width, height, left, top, right, bottom) {
    var image = Module['screenImage'];
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== rgba) {
      image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      Module['screenImage'] = image;
    }
    Module['context'].putImageData(image, 0, 0, left, top, right - left + 1, bottom - top + 1);
    var first = Module['onFirstFrame'];
    if (first) {
      Module['onFirstFrame'] = null;
      first();
    }
  }
});
