(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  function two(n) { return (n < 10 ? "0" : "") + n; }
  function tick() {
    var d = new Date();
    el.textContent = two(d.getHours()) + ":" + two(d.getMinutes()) + ":" + two(d.getSeconds());
  }
  tick();
  setInterval(tick, 1000);
})();
