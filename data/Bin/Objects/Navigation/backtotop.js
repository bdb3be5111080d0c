(function () {
  var button = document.getElementById("$(L0)");
  if (!button) return;
  function update() { button.style.display = window.scrollY > 200 ? "block" : "none"; }
  button.addEventListener("click", function () { window.scrollTo({ top: 0, behavior: "smooth" }); });
  window.addEventListener("scroll", update);
  update();
})();
