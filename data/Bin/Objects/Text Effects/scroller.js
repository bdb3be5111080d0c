(function () {
  var box = document.getElementById("$(L0)");
  if (!box) return;
  var inner = box.firstElementChild;
  var x = box.clientWidth;
  function move() {
    x -= 2;
    if (x < -inner.offsetWidth) x = box.clientWidth;
    inner.style.transform = "translateX(" + x + "px)";
    requestAnimationFrame(move);
  }
  requestAnimationFrame(move);
})();
