(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var d = new Date(document.lastModified);
  if (!isNaN(d.getTime()))
    el.textContent = "Last updated: " + d.toLocaleDateString(undefined, { year: "numeric", month: "long", day: "numeric" });
})();
