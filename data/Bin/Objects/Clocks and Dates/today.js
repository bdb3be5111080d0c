(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var options = { weekday: "long", year: "numeric", month: "long", day: "numeric" };
  el.textContent = new Date().toLocaleDateString(undefined, options);
})();
